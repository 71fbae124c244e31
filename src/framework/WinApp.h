#pragma once

class QWidget;

namespace kestrune {

// The application object: owns the process's start-up. Run() makes the Qt application, gives Qt's
// own texts in Russian (CQtTranslations), runs InitInstance and returns; a dialog-based program
// runs its main window modally inside InitInstance, so no event loop of the application's own is
// ever entered.
class CWinApp {
public:
    CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp() = default;

    int Run(int& argc, char** argv);

protected:
    // Base: names the application and gives it its desktop entry and icon.
    virtual bool InitInstance();

    QWidget* m_pMainWnd = nullptr;
    int m_nExitCode = 0;
};

}  // namespace kestrune

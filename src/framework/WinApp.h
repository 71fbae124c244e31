#pragma once

class QWidget;

namespace kestrune {

// What the desktop knows an application by.
struct AppIdentity {
    const char* name;             // UTF-8
    const char* version;
    const char* desktopFileName;  // the desktop entry's name without ".desktop"
    int iconId;                   // a registered icon resource; 0: none
    // The language of the application's own texts, as Qt names its catalogues ("ru"): Qt's texts
    // (stock buttons, the folder picker, context menus) are given in it. Null: Qt's own English.
    const char* language = nullptr;
};

// The application object: owns the process's start-up. Run() makes the Qt application, gives Qt's
// own texts in the application's language (CQtTranslations), runs InitInstance and returns; a
// dialog-based program runs its main window modally inside InitInstance, so no event loop of the
// application's own is ever entered.
class CWinApp {
public:
    explicit CWinApp(const AppIdentity& identity) : m_identity(identity) {}
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp() = default;

    int Run(int& argc, char** argv);

protected:
    // Base: names the application and gives it its desktop entry and icon. A derived class
    // registers its resources (framework/Resources.h) before calling it.
    virtual bool InitInstance();

    const AppIdentity m_identity;
    QWidget* m_pMainWnd = nullptr;
    int m_nExitCode = 0;
};

}  // namespace kestrune

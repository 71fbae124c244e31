#include "framework/WinApp.h"

#include "framework/Icon.h"
#include "framework/QtTranslations.h"
#include "res/DialogIds.h"
#include "res/Version.h"

#include <QApplication>

namespace kestrune {

int CWinApp::Run(int& argc, char** argv)
{
    QApplication app(argc, argv);
    const CQtTranslations qtTexts;
    InitInstance();
    return m_nExitCode;
}

bool CWinApp::InitInstance()
{
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kProductVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
    QApplication::setWindowIcon(LoadIcon(IDR_MAINFRAME));
    return true;
}

}  // namespace kestrune

#include "framework/WinApp.h"

#include "framework/Icon.h"
#include "framework/QtTranslations.h"

#include <QApplication>

namespace kestrune {

int CWinApp::Run(int& argc, char** argv)
{
    QApplication app(argc, argv);
    const CQtTranslations qtTexts(m_identity.language);
    InitInstance();
    return m_nExitCode;
}

bool CWinApp::InitInstance()
{
    QApplication::setApplicationName(QString::fromUtf8(m_identity.name));
    QApplication::setApplicationVersion(QString::fromUtf8(m_identity.version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(m_identity.desktopFileName));
    if (m_identity.iconId)
        QApplication::setWindowIcon(LoadIcon(m_identity.iconId));
    return true;
}

}  // namespace kestrune

#include "app/KestruneApp.h"

#include "app/Screenshot.h"
#include "res/AppResources.h"
#include "res/DialogIds.h"
#include "res/Version.h"
#include "ui/main/KestruneDlg.h"

#include <QString>

#include <optional>

namespace kestrune {

CKestruneApp::CKestruneApp() : CWinApp({kProductName, kProductVersion, kAppId, IDR_MAINFRAME, kLanguage}) {}

bool CKestruneApp::InitInstance()
{
    RegisterKestruneResources();
    CWinApp::InitInstance();

    CKestruneDlg dlg;
    m_pMainWnd = &dlg;

    // Headless runs (scripts/start.sh under xvfb-run) ask for a picture of the window instead of
    // a session: once painted, the window is saved and closed as the close button would.
    std::optional<Screenshot> screenshot;
    if (const QString path = qEnvironmentVariable("KESTRUNE_SCREENSHOT"); !path.isEmpty()) {
        dlg.Create();
        screenshot.emplace(dlg, path);
    }

    dlg.DoModal();
    m_pMainWnd = nullptr;
    if (screenshot && !screenshot->Saved())
        m_nExitCode = 1;
    return false;  // no event loop of the application's own
}

}  // namespace kestrune

#pragma once

#include "framework/WinApp.h"

namespace kestrune {

// The application: shows the main window modally and ends when it closes.
class CKestruneApp : public CWinApp {
public:
    CKestruneApp();

protected:
    bool InitInstance() override;
};

}  // namespace kestrune

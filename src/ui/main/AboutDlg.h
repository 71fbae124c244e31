#pragma once

#include "framework/Dialog.h"
#include "res/DialogIds.h"

#include <string>

namespace kestrune {

// The About box: the icon, the product name and version (string 104), a copyright line and OK.
class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };

    explicit CAboutDlg(QWidget* pParent = nullptr) : CDialog(IDD, pParent) {}

    std::string m_strVersion;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
};

}  // namespace kestrune

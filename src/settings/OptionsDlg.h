#pragma once

#include "framework/Dialog.h"
#include "framework/TreeCtrl.h"
#include "res/DialogIds.h"

namespace kestrune {

// The options dialog: a tree of settings pages, OK and Cancel. The program has no settings, so the
// tree stays empty and no page is shown; closing it changes nothing.
class COptionsDlg : public CDialog {
public:
    enum { IDD = IDD_OPTIONS };

    explicit COptionsDlg(QWidget* pParent = nullptr) : CDialog(IDD, pParent) {}

    CTreeCtrl m_tcSettings;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

}  // namespace kestrune

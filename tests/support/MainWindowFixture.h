#pragma once

#include "framework/ListView.h"
#include "res/DialogIds.h"
#include "support/DialogDriver.h"
#include "support/TempDir.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// QStrings in gtest's messages as text (found by argument-dependent lookup, so beside QString).
void PrintTo(const QString& text, std::ostream* out);

namespace kestrune::test {

// A click as the window system delivers it, so that a modal window can block it.
void ClickThroughWindow(QWidget* target);

// The text of a string-table entry, as a control shows it.
QString Loaded(unsigned stringId);

// The main window shown headless and active, with a folder of the test's own files, a fake folder
// picker, and the user's ways of reaching the list, the path and the tag field panel. Every message
// box is recorded and closed as soon as it opens, so that none can block a test; one the test did not
// take out of `messages` fails it. While `onDialog` is set, every dialog of the program that opens
// modal is counted and, once active, given to it; one it leaves open is ended with kStillOpen.
class MainWindowFixture : public testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<CKestruneDlg> dlg;
    std::optional<std::string> pickerAnswer;  // what the folder picker answers
    int fills = 0;  // list fills so far: every fill starts by emptying the list
    struct Message {
        QString caption, text, details;
        QWidget* parent;
        bool otherModalOpen;  // another modal window was open beside it
    };
    std::vector<Message> messages;
    std::function<void(CDialog&)> onDialog;
    int dialogs = 0;

    void SetUp() override;
    void TearDown() override;

    void OpenFolder() { dlg->ShowFolder(dir.Str()); }
    ListView* List() const { return ControlAs<ListView>(*dlg, IDC_FILES); }
    bool Enabled(int id) const { return Control(*dlg, id)->isEnabled(); }

    // The list's entries, all or those with the state in flags, in list order.
    std::vector<std::string> Entries(unsigned flags = LVNI_ALL) const;
    // Where to click on an entry, scrolled into view.
    QPoint At(const std::string& entry) const;
    void ClickEntry(const std::string& entry, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClickEntry(const std::string& entry) { DoubleClick(List(), At(entry)); }
    // Types at the end of the path field (a path the window wrote shows from its start).
    void TypePath(const std::string& text);

    QString Shown(TagFieldId field) const { return Text(*dlg, RowOf(field).controlId); }
    void Tick(TagFieldId field) { Click(*dlg, RowOf(field).checkId); }
    // Replaces the field's text as the user does: select all, then type (nothing: delete).
    void Retype(TagFieldId field, const QString& text);
    // Every shown text of the panel, in row order.
    std::vector<QString> ShownTexts() const;

private:
    QTimer m_modalWatch;
};

}  // namespace kestrune::test

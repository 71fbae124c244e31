#pragma once

#include "framework/ListView.h"
#include "res/DialogIds.h"
#include "save/SaveTestFiles.h"
#include "support/DialogDriver.h"
#include "support/TempDir.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// QStrings in gtest's messages as text (found by argument-dependent lookup, so beside QString).
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The main window shown headless on a folder of the test's own files, with the user's ways of
// selecting entries, ticking fields and typing texts.
namespace kestrune::test {

// A click as the window system delivers it, so that a modal window can block it.
inline void ClickThroughWindow(QWidget* target)
{
    QWidget* top = target->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(top, target->rect().center()));
}

class MainWindowFixture : public testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<CKestruneDlg> dlg;

    void SetUp() override
    {
        dlg = std::make_unique<CKestruneDlg>();
        dlg->Create();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    void TearDown() override { dlg.reset(); }

    void OpenFolder() { dlg->ShowFolder(dir.str()); }
    ListView* List() const { return ControlAs<ListView>(*dlg, IDC_FILES); }

    void ClickEntry(const std::string& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ListView* list = List();
        int row = 0;
        while (row < list->GetItemCount() && list->GetItemText(row) != text)
            ++row;
        ASSERT_LT(row, list->GetItemCount()) << "no entry " << text;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int row = List()->GetNextItem(-1, ListView::NextSelected); row >= 0;
             row = List()->GetNextItem(row, ListView::NextSelected))
            rows.push_back(row);
        return rows;
    }

    QString Shown(TagFieldId field) const { return Text(*dlg, RowOf(field).controlId); }
    void Tick(TagFieldId field) { Click(*dlg, RowOf(field).checkId); }

    // Replaces the field's text as the user does: select all, then type (nothing: delete).
    void Retype(TagFieldId field, const QString& text)
    {
        QWidget* editor = Control(*dlg, RowOf(field).controlId);
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            editor = combo->lineEdit();
        editor->setFocus();
        PressKey(editor, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            PressKey(editor, Qt::Key_Backspace);
        else
            Type(editor, text);
    }

    // Every shown text of the panel, in row order.
    std::vector<QString> ShownTexts() const
    {
        std::vector<QString> texts;
        for (const FieldControl& row : kFieldControls)
            texts.push_back(Text(*dlg, row.controlId));
        return texts;
    }
};

}  // namespace kestrune::test

#pragma once

#include "framework/ListView.h"
#include "res/DialogIds.h"
#include "save/SaveLoop.h"
#include "save/SaveTestFiles.h"
#include "support/DialogDriver.h"
#include "support/TempDir.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>
#include <ostream>
#include <set>
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

    // Enters the test's folder as the user does.
    void OpenFolder() { dlg->ShowFolder(dir.str()); }

    ListView* List() const { return ControlAs<ListView>(*dlg, IDC_FILES); }

    int Row(const std::string& text) const
    {
        for (int row = 0; row < List()->GetItemCount(); ++row)
            if (List()->GetItemText(row) == text)
                return row;
        ADD_FAILURE() << "no entry " << text;
        return -1;
    }

    void ClickEntry(const std::string& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ListView* list = List();
        const QPoint at = list->visualRect(list->model()->index(Row(text), 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int row = List()->GetNextItem(-1, ListView::NextSelected); row >= 0;
             row = List()->GetNextItem(row, ListView::NextSelected))
            rows.push_back(row);
        return rows;
    }

    const FieldControl& Field(FieldRow row) const { return kFieldControls[row]; }
    QWidget* Editor(FieldRow row) const
    {
        QWidget* control = Control(*dlg, Field(row).controlId);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            return combo->lineEdit();
        return control;
    }
    QString Shown(FieldRow row) const { return Text(*dlg, Field(row).controlId); }
    void Tick(FieldRow row) { Click(*dlg, Field(row).checkId); }

    // Replaces the field's text as the user does: select all, then type (nothing: delete).
    void Retype(FieldRow row, const QString& text)
    {
        QWidget* editor = Editor(row);
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
        for (int row = 0; row < kRowCount; ++row)
            texts.push_back(Shown(static_cast<FieldRow>(row)));
        return texts;
    }
};

// Runs a function on the loop's thread at every step of every file of the runs made while it lives.
class StepHook {
public:
    explicit StepHook(std::function<void(const std::string& path, int step)> hook)
    {
        SetSaveStepHookForTests(std::move(hook));
    }
    ~StepHook() { SetSaveStepHookForTests({}); }
    StepHook(const StepHook&) = delete;
    StepHook& operator=(const StepHook&) = delete;
};

// Records and closes every message box that opens while it lives.
class MessageBoxWatcher {
public:
    struct Seen {
        QString caption, text, details;
        QWidget* parent = nullptr;
        bool otherModalOpen = false;  // another modal window was still up
    };

    MessageBoxWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            bool otherModal = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                otherModal = otherModal || (w != box && w->isVisible() && w->isModal());
            m_seen.push_back({box->windowTitle(), box->text(), box->detailedText(), box->parentWidget(), otherModal});
            box->accept();
        });
        m_timer.start(5);
    }

    const std::vector<Seen>& seen() const { return m_seen; }

private:
    QTimer m_timer;
    std::vector<Seen> m_seen;
};

}  // namespace kestrune::test

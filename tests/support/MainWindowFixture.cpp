#include "support/MainWindowFixture.h"

#include "settings/StringResources.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include <algorithm>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kestrune::test {

void ClickThroughWindow(QWidget* target)
{
    QWidget* top = target->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(top, target->rect().center()));
}

QString Loaded(unsigned stringId)
{
    return QString::fromStdString(LoadString(stringId));
}

void MainWindowFixture::SetUp()
{
    dlg = std::make_unique<CKestruneDlg>();
    dlg->m_folderPicker = [this] { return pickerAnswer; };
    dlg->Create();
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    QObject::connect(List()->model(), &QAbstractItemModel::modelReset, [this] { ++fills; });
    QObject::connect(&m_modalWatch, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            const bool otherModal = std::ranges::any_of(QApplication::topLevelWidgets(), [box](QWidget* w) {
                return w != box && w->isVisible() && w->isModal();
            });
            messages.push_back({box->windowTitle(), box->text(), box->detailedText(), box->parentWidget(), otherModal});
            box->accept();
        }
        QPointer<CDialog> dialog = qobject_cast<CDialog*>(modal);
        if (!onDialog || !dialog || !dialog->isVisible())
            return;
        m_modalWatch.stop();  // the action may open a dialog of its own
        ++dialogs;
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        onDialog(*dialog);
        if (dialog && dialog->isVisible())
            dialog->EndDialog(kStillOpen);
        m_modalWatch.start();
    });
    m_modalWatch.start(5);
}

void MainWindowFixture::TearDown()
{
    m_modalWatch.stop();
    for (const Message& m : messages)
        ADD_FAILURE() << "unexpected message: " << m.text.toStdString() << "\n" << m.details.toStdString();
    dlg.reset();
}

std::vector<std::string> MainWindowFixture::Entries(unsigned flags) const
{
    std::vector<std::string> texts;
    for (int i = dlg->m_lcFiles.GetNextItem(-1, flags); i >= 0; i = dlg->m_lcFiles.GetNextItem(i, flags))
        texts.push_back(dlg->m_lcFiles.GetItemText(i));
    return texts;
}

QPoint MainWindowFixture::At(const std::string& entry) const
{
    const std::vector<std::string> texts = Entries();
    const auto it = std::find(texts.begin(), texts.end(), entry);
    EXPECT_NE(it, texts.end()) << "no entry " << entry;
    const QModelIndex index = List()->model()->index(static_cast<int>(it - texts.begin()), 0);
    List()->scrollTo(index);
    return List()->visualRect(index).center();
}

void MainWindowFixture::ClickEntry(const std::string& entry, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, At(entry));
}

void MainWindowFixture::TypePath(const std::string& text)
{
    auto* path = ControlAs<QLineEdit>(*dlg, IDC_PATH);
    path->setFocus();
    PressKey(path, Qt::Key_End);
    Type(path, QString::fromStdString(text));
}

void MainWindowFixture::Retype(TagFieldId field, const QString& text)
{
    QWidget* editor = Control(*dlg, RowOf(field).controlId);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        editor = combo->lineEdit();
    editor->setFocus();
    PressKey(editor, Qt::Key_A, Qt::ControlModifier);
    PressKey(editor, Qt::Key_Backspace);
    Type(editor, text);
}

std::vector<QString> MainWindowFixture::ShownTexts() const
{
    std::vector<QString> texts;
    for (const FieldControl& row : kFieldControls)
        texts.push_back(Text(*dlg, row.controlId));
    return texts;
}

}  // namespace kestrune::test

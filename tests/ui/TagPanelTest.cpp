// The tag field panel as the user meets it: selecting entries shows tags and counts them, the tick
// boxes enable their fields, and typed texts live until the list next changes.
#include "save/SaveTestFiles.h"
#include "support/MainWindowFixture.h"

#include <tuple>

namespace kestrune::test {
namespace {

// The panel's texts for a file made by TaggedMp3(name), in row order.
std::vector<QString> TextsOf(const std::string& name)
{
    std::vector<QString> texts;
    for (const FieldControl& row : kFieldControls)
        texts.push_back(QString::fromStdString(OriginalText(name, FieldOf(row.field).name)));
    return texts;
}

const std::vector<QString> kEmpty(kTagFieldCount);

class TagPanel : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        dir.Write("a.mp3", TaggedMp3("a"));
        dir.Write("b.MP3", TaggedMp3("b"));
        dir.Write("untagged.mp3", MpegAudio(4));
        dir.Mkdir("Sub");
        OpenFolder();
    }

    // After a click on an entry: the texts shown, the count, whether Save is enabled.
    void ExpectAfterClick(const std::string& entry, Qt::KeyboardModifiers modifiers,
                          const std::vector<QString>& texts, const QString& count)
    {
        SCOPED_TRACE(entry + (modifiers == Qt::NoModifier ? "" : " with Ctrl"));
        ClickEntry(entry, modifiers);
        EXPECT_EQ((std::tuple{ShownTexts(), Text(*dlg, IDC_SELECTED), Enabled(IDC_SAVE)}),
                  (std::tuple{texts, count, count != "0"}));
    }
};

TEST_F(TagPanel, SelectingShowsTheTagCtrlSelectingReplacesItAndTheCountFollows)
{
    const Qt::KeyboardModifiers plain = Qt::NoModifier, ctrl = Qt::ControlModifier;
    ExpectAfterClick("a.mp3", plain, TextsOf("a"), "1");
    ExpectAfterClick("b.MP3", ctrl, TextsOf("b"), "2");
    ExpectAfterClick("b.MP3", ctrl, TextsOf("b"), "1");   // deselecting keeps the texts shown
    ExpectAfterClick("Sub/", ctrl, TextsOf("b"), "1");    // a folder is neither counted nor loaded
    ExpectAfterClick("untagged.mp3", ctrl, kEmpty, "2");  // no tag: every text empties
    ExpectAfterClick("b.MP3", plain, TextsOf("b"), "1");
    // A file that stays selected is not read again.
    ClickEntry("untagged.mp3", ctrl);
    ExpectAfterClick("b.MP3", plain, kEmpty, "1");
    ExpectAfterClick("b.MP3", ctrl, kEmpty, "0");
}

TEST_F(TagPanel, TickingEnablesTheFieldAndUntickingDisablesItBothKeepingItsText)
{
    ClickEntry("a.mp3");
    for (const FieldControl& f : kFieldControls) {
        SCOPED_TRACE(FieldOf(f.field).name);
        for (const int ticked : {1, 0}) {
            Click(*dlg, f.checkId);
            EXPECT_EQ(dlg.get()->*f.write, ticked);
            // The ticks do not leak into one another.
            for (const FieldControl& other : kFieldControls)
                EXPECT_EQ(Control(*dlg, other.controlId)->isEnabled(), ticked && &other == &f);
            EXPECT_EQ(ShownTexts(), TextsOf("a"));
        }
    }
}

TEST_F(TagPanel, ATypedTextIsReplacedByTheTagWhenAnyEntryChangesStateBeforeSave)
{
    ClickEntry("a.mp3");
    Tick(TagFieldId::Title);
    Tick(TagFieldId::Genre);
    Retype(TagFieldId::Title, "Набрано");
    Retype(TagFieldId::Genre, "Rock");

    // A folder entry changes no tag, yet the show that follows every change puts the members back;
    // the ticks stay.
    ClickEntry("Sub/", Qt::ControlModifier);
    EXPECT_EQ(ShownTexts(), TextsOf("a"));
    EXPECT_TRUE(dlg->m_bWriteTitle && Enabled(IDC_TITLE));
}

// A long text is shown from its first character, in an edit as in a combo box's field.
TEST_F(TagPanel, ALongTextShowsFromItsFirstCharacter)
{
    const QString album = QString("Альбом, ").repeated(40).left(300), genre = album.toUpper();
    dir.Write("long.mp3", MakeMp3({.frames = {TextFrame("TALB", album.toStdString(), Enc::Utf8),
                                              TextFrame("TCON", genre.toStdString(), Enc::Utf8)}}));
    OpenFolder();

    ClickEntry("long.mp3");
    for (QLineEdit* edit : {ControlAs<QLineEdit>(*dlg, IDC_ALBUM), ControlAs<QComboBox>(*dlg, IDC_GENRE)->lineEdit()})
        EXPECT_EQ(edit->cursorPosition(), 0) << edit->text().toStdString();
    EXPECT_EQ(Shown(TagFieldId::Album), album);
    EXPECT_EQ(Shown(TagFieldId::Genre), genre);
}

}  // namespace
}  // namespace kestrune::test

// The tag field panel as the user meets it: selecting entries shows tags and counts them, the tick
// boxes enable their fields, and typed texts live until the list next changes.
#include "save/MainWindowFixture.h"

#include <QAbstractButton>

namespace kestrune::test {
namespace {

// The tag field each panel row shows, by its English name.
constexpr std::array<std::string_view, kRowCount> kRowFieldNames = {
    "track number", "title", "album", "artist", "year", "genre", "comment", "composer",
    "original artist", "copyright", "URL", "encoded by"};

// The panel's texts for a file made by taggedMp3(name), in row order.
std::vector<QString> TextsOf(const std::string& name)
{
    std::vector<QString> texts;
    for (std::string_view field : kRowFieldNames)
        texts.push_back(QString::fromStdString(originalText(name, field)));
    return texts;
}

const std::vector<QString> kEmpty(kRowCount);

class TagPanel : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        dir.write("a.mp3", taggedMp3("a"));
        dir.write("b.MP3", taggedMp3("b"));
        dir.write("untagged.mp3", mpegAudio(4));
        dir.mkdir("Sub");
        OpenFolder();
    }

    bool SaveEnabled() const { return Control(*dlg, IDC_SAVE)->isEnabled(); }
};

TEST_F(TagPanel, SelectingShowsTheTagCtrlSelectingReplacesItAndTheCountFollows)
{
    ClickEntry("a.mp3");
    EXPECT_EQ(ShownTexts(), TextsOf("a"));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");
    EXPECT_TRUE(SaveEnabled());

    ClickEntry("b.MP3", Qt::ControlModifier);
    EXPECT_EQ(ShownTexts(), TextsOf("b"));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "2");

    // Deselecting the file whose tag is shown keeps its texts.
    ClickEntry("b.MP3", Qt::ControlModifier);
    EXPECT_EQ(ShownTexts(), TextsOf("b"));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");

    // A folder entry is neither counted nor loaded.
    ClickEntry("Sub/", Qt::ControlModifier);
    EXPECT_EQ(ShownTexts(), TextsOf("b"));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");

    // A file without a tag empties every text.
    ClickEntry("untagged.mp3", Qt::ControlModifier);
    EXPECT_EQ(ShownTexts(), kEmpty);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "2");

    // A plain click selects that file alone; a file that stays selected is not read again.
    ClickEntry("b.MP3");
    EXPECT_EQ(ShownTexts(), TextsOf("b"));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");
    EXPECT_TRUE(SaveEnabled());
    ClickEntry("untagged.mp3", Qt::ControlModifier);
    ClickEntry("b.MP3");
    EXPECT_EQ(ShownTexts(), kEmpty);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");

    ClickEntry("b.MP3", Qt::ControlModifier);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "0");
    EXPECT_FALSE(SaveEnabled());
    EXPECT_EQ(ShownTexts(), kEmpty);
}

TEST_F(TagPanel, TickingEnablesTheFieldAndUntickingDisablesItBothKeepingItsText)
{
    ClickEntry("a.mp3");
    const std::vector<QString> texts = TextsOf("a");
    for (const FieldControl& f : kFieldControls) {
        SCOPED_TRACE(f.label);
        QWidget* control = Control(*dlg, f.controlId);
        auto* box = ControlAs<QAbstractButton>(*dlg, f.checkId);
        EXPECT_FALSE(control->isEnabled());
        EXPECT_EQ(dlg.get()->*f.write, 0);

        Click(box);
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(dlg.get()->*f.write, 1);
        EXPECT_TRUE(control->isEnabled());
        EXPECT_EQ(ShownTexts(), texts);

        Click(box);
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(dlg.get()->*f.write, 0);
        EXPECT_FALSE(control->isEnabled());
        EXPECT_EQ(ShownTexts(), texts);
    }
    // The ticks do not leak into one another.
    Tick(kRowYear);
    for (const FieldControl& f : kFieldControls)
        EXPECT_EQ(Control(*dlg, f.controlId)->isEnabled(), f.checkId == IDC_WRITE_YEAR) << f.label;
}

TEST_F(TagPanel, ATypedTextIsReplacedByTheTagWhenAnyEntryChangesStateBeforeSave)
{
    ClickEntry("a.mp3");
    Tick(kRowTitle);
    Tick(kRowGenre);
    Retype(kRowTitle, "Набрано");
    Retype(kRowGenre, "Rock");
    EXPECT_EQ(Shown(kRowTitle), "Набрано");

    // A folder entry changes no tag, yet the show that follows every change puts the members back.
    ClickEntry("Sub/", Qt::ControlModifier);
    EXPECT_EQ(Shown(kRowTitle), "a title");
    EXPECT_EQ(Shown(kRowGenre), "Jazz");
    EXPECT_EQ(dlg->m_bWriteTitle, 1) << "the ticks stay";
    EXPECT_TRUE(Control(*dlg, IDC_TITLE)->isEnabled());
}

TEST_F(TagPanel, TheTransliterationAndOptionBoxesChangeNothingElse)
{
    ClickEntry("a.mp3");
    auto* transliterate = ControlAs<QAbstractButton>(*dlg, IDC_TRANSLITERATE);
    Click(transliterate);
    EXPECT_EQ(dlg->m_bTransliterate, 1);
    EXPECT_TRUE(transliterate->isChecked());
    Click(transliterate);
    EXPECT_EQ(dlg->m_bTransliterate, 0);

    for (int id : {IDC_CASE, IDC_LOAD_TAGS, IDC_SAVE_TAGS}) {
        auto* combo = ControlAs<QComboBox>(*dlg, id);
        combo->setFocus();
        Type(combo->lineEdit(), "X");
        PressKey(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->count(), 0) << id;
        EXPECT_EQ(combo->currentText(), "X") << id;
    }
    EXPECT_EQ(ShownTexts(), TextsOf("a"));
    for (const FieldControl& f : kFieldControls)
        EXPECT_EQ(dlg.get()->*f.write, 0) << f.label;
}

}  // namespace
}  // namespace kestrune::test

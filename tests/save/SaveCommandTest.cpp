// Save through the real main window: the worker, the progress dialog with its bars and Cancel, the
// status line, what reaches the files, and the report of files that could not be written.
#include "framework/ProgressBar.h"
#include "framework/UiCall.h"
#include "res/ResourceIds.h"
#include "save/SaveProgressDlg.h"
#include "save/SaveTestFiles.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QRegularExpression>

#include <sys/stat.h>

#include <array>
#include <map>

namespace kestrune::test {
namespace {

// File bar position and range, total bar position and range.
using Bars = std::array<int, 6>;
Bars BarsOf(const CSaveProgressDlg& progress)
{
    auto* file = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_FILE));
    auto* total = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_TOTAL));
    return {file->Value(), file->Minimum(), file->Maximum(), total->Value(), total->Minimum(), total->Maximum()};
}

class SaveCommand : public MainWindowFixture {
protected:
    // song1.mp3 ... songN.mp3, entered.
    void OpenSongs(int count)
    {
        for (int i = 1; i <= count; ++i)
            dir.Write("song" + std::to_string(i) + ".mp3", TaggedMp3("song" + std::to_string(i)));
        OpenFolder();
    }
    std::string PathOf(const std::string& entry) const { return dir.Str() + entry; }
    std::string Bytes(const std::string& entry) const { return ReadFile(PathOf(entry)); }
    std::string TitleOf(const std::string& entry) const { return LoadFields(PathOf(entry)).at("title"); }

    void Select(const std::vector<std::string>& entries)
    {
        for (size_t i = 0; i < entries.size(); ++i)
            ClickEntry(entries[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
    }
    // Ticks the field (when it is not ticked yet) and types its text.
    void Set(TagFieldId field, const QString& text)
    {
        if (!(dlg.get()->*RowOf(field).write))
            Tick(field);
        Retype(field, text);
    }
};

TEST_F(SaveCommand, WritesTheTickedFieldsIntoEverySelectedFileInListOrderWithTheBarsCounting)
{
    OpenSongs(4);
    const std::string untouched = Bytes("song4.mp3");
    // Selected against list order; the worker still goes down the list.
    Select({"song3.mp3", "song1.mp3", "song2.mp3"});
    Set(TagFieldId::Title, "Новое название");
    Set(TagFieldId::Artist, "Новый исполнитель");
    Set(TagFieldId::Comment, "");
    Set(TagFieldId::Track, "01");
    const std::vector<std::string> selectedBefore = Entries(LVNI_SELECTED);
    const std::vector<QString> shownBefore = ShownTexts();

    std::vector<std::string> order;
    std::vector<Bars> bars, due;  // as seen at each step, as due
    StepHook hook([&](const std::string& path, int step) {
        if (step == 0)
            order.push_back(path.starts_with(dir.Str()) ? path.substr(dir.Str().size()) : path);  // the entry
        due.push_back({step, 0, 14, int(order.size()) - 1, 0, 3});
        UiCall(dlg.get(), [&] {
            auto* progress = dynamic_cast<CSaveProgressDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(progress, nullptr);
            bars.push_back(BarsOf(*progress));
            if (bars.size() > 1)
                return;
            EXPECT_EQ(progress->parentWidget(), dlg.get());
            EXPECT_EQ(QApplication::focusWidget(), progress->GetDlgItem(IDCANCEL));
            EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_SAVING_TEXT));
            // The main window takes no input during the run.
            ClickThroughWindow(Control(*dlg, IDC_WRITE_YEAR));
            EXPECT_EQ(dlg->m_bWriteYear, 0);
        });
    });
    Click(*dlg, IDC_SAVE);

    EXPECT_EQ(order, selectedBefore) << "list order";
    EXPECT_EQ(bars, due);

    const std::map<std::string, std::string> ticked = {
        {"title", "Новое название"}, {"artist", "Новый исполнитель"}, {"comment", ""}, {"track number", "01"}};
    const TempDir originals;
    for (const std::string name : {"song1", "song2", "song3"}) {
        auto expected = ticked;
        expected.merge(LoadFields(originals.Write("a.mp3", TaggedMp3(name))));
        EXPECT_EQ(LoadFields(PathOf(name + ".mp3")), expected) << name;
    }
    EXPECT_EQ(Bytes("song4.mp3"), untouched);

    // The window is as it was, with the ready status back; no report when every file was written.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
    EXPECT_EQ(Entries(LVNI_SELECTED), selectedBefore);
    EXPECT_EQ(ShownTexts(), shownBefore);
}

// Each way of asking to stop while file 2 of 4 is in hand ends the run when that file is done.
TEST_F(SaveCommand, CancelByButtonEscOrTheCloseBoxEndsTheRunWhenTheFileInHandIsDone)
{
    const std::pair<const char*, std::function<void(CSaveProgressDlg&)>> ways[] = {
        {"button", [](CSaveProgressDlg& p) { Click(p.GetDlgItem(IDCANCEL)); }},
        {"Esc", [](CSaveProgressDlg& p) { PressKey(p.GetDlgItem(IDCANCEL), Qt::Key_Escape); }},
        {"close box", [](CSaveProgressDlg& p) { p.close(); }}};
    for (const auto& [way, askToStop] : ways) {
        SCOPED_TRACE(way);
        OpenSongs(4);
        const std::vector<std::string> entries = Entries(), later = {Bytes(entries[2]), Bytes(entries[3])};
        Select(entries);
        Set(TagFieldId::Title, "Written");

        Bars atEnd{};
        QString captionAtEnd;
        StepHook hook([&](const std::string& path, int step) {
            if (path != PathOf(entries[1]) || step != 1)
                return;
            UiCall(dlg.get(), [&] {
                auto* progress = dynamic_cast<CSaveProgressDlg*>(QApplication::activeModalWidget());
                ASSERT_NE(progress, nullptr);
                QObject::connect(progress, &QDialog::finished, [&, progress] {
                    atEnd = BarsOf(*progress);
                    captionAtEnd = Text(*progress, IDCANCEL);
                });
                QWidget* cancel = progress->GetDlgItem(IDCANCEL);
                PressKey(cancel, Qt::Key_Return);
                EXPECT_FALSE(progress->m_bStop) << "Enter on the focused Cancel button does not cancel";
                askToStop(*progress);
                EXPECT_TRUE(progress->m_bStop && !cancel->isEnabled());
                EXPECT_EQ(Text(*progress, IDCANCEL), "Отменяется...");

                // A second request while the worker runs is ignored, whichever way it comes.
                PressKey(cancel, Qt::Key_Escape);
                progress->close();
                QApplication::processEvents();
                EXPECT_TRUE(progress->isVisible());
            });
        });
        Click(*dlg, IDC_SAVE);

        EXPECT_EQ(TitleOf(entries[0]) + ", " + TitleOf(entries[1]), "Written, Written") << "the one in hand done";
        EXPECT_EQ((std::vector{Bytes(entries[2]), Bytes(entries[3])}), later);
        EXPECT_EQ(atEnd, (Bars{14, 0, 14, 2, 0, 4})) << "every step of the file in hand, two files done";
        EXPECT_EQ(captionAtEnd, "OK");
        EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
    }
}

// The file written is the one selected in the listed folder, whatever the path field shows: a partly
// typed name ("Mu" lists the entries beginning with Mu), a path retyped too short to refill the list, or
// a folder named in another encoding, whose bytes the field can only show a stand-in for.
TEST_F(SaveCommand, TheSelectedFileIsTheListedFoldersWhateverThePathFieldShows)
{
    dir.Write("MuMu1.mp3", TaggedMp3("other"));
    const std::string untouched = Bytes("MuMu1.mp3");
    const struct {
        std::string shown, entry, tag;
        bool retyped;
    } cases[] = {
        {"Mu", "Mu1.mp3", "one", false}, {"music/", "a.mp3", "music", true}, {"Caf\xE9/", "a.mp3", "café", false}};
    for (const auto& c : cases) {
        const std::string folder = c.shown.ends_with("/") ? c.shown : "";
        SCOPED_TRACE(c.shown);
        dir.Write(folder + c.entry, TaggedMp3(c.tag));
        dlg->ShowFolder(dir.Str() + c.shown);
        if (c.retyped) {
            auto* path = Control(*dlg, IDC_PATH);
            path->setFocus();
            PressKey(path, Qt::Key_A, Qt::ControlModifier);
            Type(path, "/");  // the start of a new path: no refill yet
        }
        ClickEntry(c.entry);
        EXPECT_EQ(Shown(TagFieldId::Title).toStdString(), OriginalText(c.tag, "title"));
        Set(TagFieldId::Title, "Written");
        Click(*dlg, IDC_SAVE);
        EXPECT_EQ(TitleOf(folder + c.entry), "Written");
        if (!folder.empty() && !c.retyped) {  // "S" and Up start from the path after the save's store
            EXPECT_EQ(dlg->m_strPath, dir.Str() + c.shown);
        }
    }
    EXPECT_EQ(Bytes("MuMu1.mp3"), untouched) << "a file the user did not select";
}

TEST_F(SaveCommand, FilesThatCannotBeWrittenAreListedInOneMessageWithTheirReasonsInRussian)
{
    for (const std::string name : {"a", "locked", "b"})
        dir.Write(name + ".mp3", TaggedMp3(name));
    ::chmod((dir.Path() / "locked.mp3").c_str(), 0444);
    std::string damaged = TaggedMp3("damaged");
    damaged[damaged.find("TALB")] = 't';  // a frame id no tag may hold
    dir.Write("damaged.mp3", damaged);
    dir.Mkdir("Album");
    OpenFolder();

    Select({"a.mp3", "locked.mp3", "damaged.mp3", "Album/", "b.mp3"});
    Set(TagFieldId::Title, "Written");
    const std::string damagedBytes = Bytes("damaged.mp3");

    Click(*dlg, IDC_SAVE);

    ASSERT_EQ(messages.size(), 1u);
    const Message report = messages.front();
    messages.clear();
    EXPECT_EQ(report.caption, Loaded(IDS_NOT_WRITTEN_CAPTION));
    EXPECT_EQ(report.text, "Теги записаны не во все файлы. Не записано: 3 из 5.");
    // Each file with the user's sentence and the technical detail, in list order (folders first).
    const std::string listed = PathOf("Album/") +
                               "\nЭто не файл, а папка или устройство: теги в него не записываются." +
                               PathOf("damaged.mp3") + "\nТег повреждён: файл не изменён." + PathOf("locked.mp3") +
                               "\nФайл только для чтения: разрешите запись в файл и его папку и сохраните снова.";
    // Each block ends in a line of technical detail.
    EXPECT_EQ(QString(report.details).remove(QRegularExpression("\nПодробности: [^\n]{4,}(\n\n|$)")).toStdString(),
              listed);
    EXPECT_FALSE(report.otherModalOpen) << "the report comes once the progress dialog has closed";
    EXPECT_EQ(report.parent, dlg.get());

    EXPECT_EQ(Bytes("damaged.mp3"), damagedBytes);
    EXPECT_EQ(TitleOf("b.mp3"), "Written") << "the run goes on past files it cannot write";
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

}  // namespace
}  // namespace kestrune::test

// Save through the real main window: the worker, the progress dialog with its bars and Cancel, the
// status line, what reaches the files, and the report of files that could not be written.
#include "framework/ProgressBar.h"
#include "framework/UiCall.h"
#include "res/ResourceIds.h"
#include "save/SaveLoop.h"
#include "save/SaveProgressDlg.h"
#include "save/SaveTestFiles.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <array>
#include <functional>
#include <map>

namespace kestrune::test {
namespace {

// The progress dialog of the run in hand; called in the window thread.
CSaveProgressDlg* RunningProgress()
{
    return dynamic_cast<CSaveProgressDlg*>(QApplication::activeModalWidget());
}

// File bar position and range, total bar position and range.
using Bars = std::array<int, 6>;
Bars BarsOf(const CSaveProgressDlg& progress)
{
    auto* file = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_FILE));
    auto* total = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_TOTAL));
    return {file->Value(), file->Minimum(), file->Maximum(), total->Value(), total->Minimum(), total->Maximum()};
}

// Runs a function on the loop's thread at every step of every file of the runs made while it lives.
struct StepHook {
    explicit StepHook(std::function<void(const std::string& path, int step)> hook)
    {
        SetSaveStepHookForTests(std::move(hook));
    }
    ~StepHook() { SetSaveStepHookForTests({}); }
};

// Records and closes every message box that opens while it lives.
struct MessageBoxWatcher {
    struct Seen {
        QString caption, text, details;
        QWidget* parent;
        bool otherModalOpen;
    };
    std::vector<Seen> seen;
    QTimer timer;

    MessageBoxWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            bool otherModal = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                otherModal = otherModal || (w != box && w->isVisible() && w->isModal());
            seen.push_back({box->windowTitle(), box->text(), box->detailedText(), box->parentWidget(), otherModal});
            box->accept();
        });
        timer.start(5);
    }
};

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
    std::string TitleOf(const std::string& entry) const { return FieldsOf(PathOf(entry)).at("title"); }

    void Select(const std::vector<std::string>& entries)
    {
        for (size_t i = 0; i < entries.size(); ++i)
            ClickEntry(entries[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
    }
    void Set(TagFieldId field, const QString& text)
    {
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
    // Typed into an option box: nothing reads it.
    Type(ControlAs<QComboBox>(*dlg, IDC_SAVE_TAGS)->lineEdit(), "ID3v1");
    const std::vector<int> selectedBefore = SelectedRows();
    const std::vector<QString> shownBefore = ShownTexts();

    std::vector<std::string> order;
    std::vector<Bars> bars, due;  // as seen at each step, as due
    StepHook hook([&](const std::string& path, int step) {
        if (step == 0)
            order.push_back(path);
        due.push_back({step, 0, 14, int(order.size()) - 1, 0, 3});
        UiCall(dlg.get(), [&] {
            CSaveProgressDlg* progress = RunningProgress();
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
    MessageBoxWatcher boxes;
    Click(*dlg, IDC_SAVE);

    std::vector<std::string> listOrder;
    for (int row : selectedBefore)
        listOrder.push_back(PathOf(List()->GetItemText(row)));
    EXPECT_EQ(order, listOrder);
    EXPECT_EQ(bars, due);

    for (const std::string name : {"song1", "song2", "song3"}) {
        SCOPED_TRACE(name);
        const auto fields = FieldsOf(PathOf(name + ".mp3"));
        const std::map<std::string, std::string> ticked = {{"title", "Новое название"},
                                                           {"artist", "Новый исполнитель"},
                                                           {"comment", ""},
                                                           {"track number", "01"}};
        for (const auto& [field, text] : fields)
            EXPECT_EQ(text, ticked.count(field) ? ticked.at(field) : OriginalText(name, field)) << field;
        EXPECT_EQ(MissingFrames(PathOf(name + ".mp3")), "");
    }
    EXPECT_EQ(Bytes("song4.mp3"), untouched);

    // The window is as it was, with the ready status back; no report when every file was written.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
    EXPECT_EQ(SelectedRows(), selectedBefore);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3");
    EXPECT_EQ(ShownTexts(), shownBefore);
    EXPECT_TRUE(boxes.seen.empty());
}

// The three ways of asking to stop while a file is in hand.
enum class CancelBy { Button, Esc, CloseBox };
void PrintTo(CancelBy way, std::ostream* out)
{
    *out << (way == CancelBy::Button ? "Button" : way == CancelBy::Esc ? "Esc" : "CloseBox");
}

class SaveCancel : public SaveCommand, public testing::WithParamInterface<CancelBy> {};

TEST_P(SaveCancel, DuringFileKTheRunEndsWhenThatFileIsDone)
{
    OpenSongs(4);
    std::vector<std::string> entries, before;
    for (int row = 0; row < List()->GetItemCount(); ++row) {
        entries.push_back(List()->GetItemText(row));
        before.push_back(Bytes(entries.back()));
    }
    Select(entries);
    Set(TagFieldId::Title, "Written");

    Bars atEnd{};
    QString captionAtEnd;
    StepHook hook([&](const std::string& path, int step) {
        if (path != PathOf(entries[1]) || step != 1)  // k = 2 of 4
            return;
        UiCall(dlg.get(), [&] {
            CSaveProgressDlg* progress = RunningProgress();
            ASSERT_NE(progress, nullptr);
            QObject::connect(progress, &QDialog::finished, [&, progress] {
                atEnd = BarsOf(*progress);
                captionAtEnd = Text(*progress, IDCANCEL);
            });
            QWidget* cancel = progress->GetDlgItem(IDCANCEL);
            PressKey(cancel, Qt::Key_Return);
            EXPECT_FALSE(progress->m_bStop) << "Enter on the focused Cancel button does not cancel";
            if (GetParam() == CancelBy::Button)
                Click(cancel);
            else if (GetParam() == CancelBy::Esc)
                PressKey(cancel, Qt::Key_Escape);
            else
                progress->close();
            EXPECT_TRUE(progress->m_bStop);
            EXPECT_FALSE(cancel->isEnabled());
            EXPECT_EQ(Text(*progress, IDCANCEL), "Отменяется...");

            // A second request while the worker runs is ignored, whichever way it comes.
            PressKey(cancel, Qt::Key_Escape);
            progress->close();
            QApplication::processEvents();
            EXPECT_TRUE(progress->isVisible());
        });
    });
    Click(*dlg, IDC_SAVE);

    EXPECT_EQ(TitleOf(entries[0]), "Written");
    EXPECT_EQ(TitleOf(entries[1]), "Written") << "the file in hand is completed";
    EXPECT_EQ(Bytes(entries[2]), before[2]);
    EXPECT_EQ(Bytes(entries[3]), before[3]);
    EXPECT_EQ(atEnd[3], 2) << "files done";
    EXPECT_EQ(atEnd[0], 14) << "steps of the last file";
    EXPECT_EQ(captionAtEnd, "OK");
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

INSTANTIATE_TEST_SUITE_P(EachWay, SaveCancel, testing::Values(CancelBy::Button, CancelBy::Esc, CancelBy::CloseBox),
                         testing::PrintToStringParamName());

// Typing "Mu" after the folder lists its entries that begin with Mu; every entry is still a file of the
// folder.
TEST_F(SaveCommand, UnderAPartlyTypedNameTheSelectedFileIsTheOneLoadedAndWritten)
{
    dir.Write("Mu1.mp3", TaggedMp3("one"));
    dir.Write("MuMu1.mp3", TaggedMp3("two"));
    dir.Write("Music/in.mp3", TaggedMp3("in"));
    dir.Write("MuMusic/other.mp3", TaggedMp3("other"));
    const std::string untouched = Bytes("MuMu1.mp3");
    dlg->ShowFolder(dir.Str() + "Mu");
    ClickEntry("Mu1.mp3");
    EXPECT_EQ(Shown(TagFieldId::Title).toStdString(), OriginalText("one", "title"));

    Set(TagFieldId::Title, "Written");
    Click(*dlg, IDC_SAVE);
    EXPECT_EQ(TitleOf("Mu1.mp3"), "Written");
    EXPECT_EQ(Bytes("MuMu1.mp3"), untouched) << "a file the user did not select";

    // With "S" the files below the folders found ("Music/") are the folder's, not the name's ("MuMusic/").
    dlg->m_chkSubfolders.SetCheck(1);
    dlg->ShowFolder(dir.Str() + "Mu");
    ClickEntry("Music/in.mp3");
    EXPECT_EQ(Shown(TagFieldId::Title).toStdString(), OriginalText("in", "title"));
}

// The entries stay the listed folder's while the path text is too short to refill the list, and a folder
// named in another encoding keeps its bytes though the path field can only show a stand-in for them.
TEST_F(SaveCommand, TheSelectedFileIsTheListedFoldersWhateverThePathFieldShows)
{
    for (const std::string& folder : {std::string("music"), std::string("Caf\xE9")}) {
        SCOPED_TRACE(folder);
        const std::string tag = folder == "music" ? "music" : "café";
        dir.Write(folder + "/a.mp3", TaggedMp3(tag));
        dlg->ShowFolder(dir.Str() + folder + "/");
        if (folder == "music") {
            auto* path = Control(*dlg, IDC_PATH);
            path->setFocus();
            PressKey(path, Qt::Key_A, Qt::ControlModifier);
            Type(path, "/");  // the start of a new path: no refill yet
        }
        ClickEntry("a.mp3");
        EXPECT_EQ(Shown(TagFieldId::Title).toStdString(), OriginalText(tag, "title"));
        if (!dlg->m_bWriteTitle)
            Tick(TagFieldId::Title);
        Retype(TagFieldId::Title, "Written");
        Click(*dlg, IDC_SAVE);
        EXPECT_EQ(TitleOf(folder + "/a.mp3"), "Written");
        if (folder != "music") {  // "S" and Up start from the path after the save's store
            EXPECT_EQ(dlg->m_strPath, dir.Str() + folder + "/");
        }
    }
}

TEST_F(SaveCommand, FilesThatCannotBeWrittenAreListedInOneMessageWithTheirReasonsInRussian)
{
    dir.Write("a.mp3", TaggedMp3("a"));
    dir.Write("locked.mp3", TaggedMp3("locked"));
    ::chmod((dir.Path() / "locked.mp3").c_str(), 0444);
    std::string damaged = TaggedMp3("damaged");
    damaged[damaged.find("TALB")] = 't';  // a frame id no tag may hold
    dir.Write("damaged.mp3", damaged);
    dir.Mkdir("Album");
    dir.Write("b.mp3", TaggedMp3("b"));
    OpenFolder();
    const std::string aBytes = Bytes("a.mp3");

    // With nothing selected the command runs through (the button is disabled) and touches nothing.
    {
        bool stepped = false;
        StepHook hook([&](const std::string&, int) { stepped = true; });
        MessageBoxWatcher boxes;
        dlg->OnSave();
        EXPECT_FALSE(stepped);
        EXPECT_TRUE(boxes.seen.empty());
        EXPECT_EQ(Bytes("a.mp3"), aBytes);
        EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
    }
    Select({"a.mp3", "locked.mp3", "damaged.mp3", "Album/", "b.mp3"});
    Set(TagFieldId::Title, "Written");
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "4") << "the folder entry is not counted";
    const std::string damagedBytes = Bytes("damaged.mp3");

    MessageBoxWatcher boxes;
    Click(*dlg, IDC_SAVE);

    ASSERT_EQ(boxes.seen.size(), 1u);
    const auto& report = boxes.seen.front();
    EXPECT_EQ(report.caption, Loaded(IDS_NOT_WRITTEN_CAPTION));
    EXPECT_EQ(report.text, "Теги записаны не во все файлы. Не записано: 3 из 5.");
    // Each file with the user's sentence and the technical detail, in list order.
    const std::map<std::string, std::string> reasons = {
        {"locked.mp3", "Файл только для чтения: разрешите запись в файл и его папку и сохраните снова."},
        {"damaged.mp3", "Тег повреждён: файл не изменён."},
        {"Album/", "Это не файл, а папка или устройство: теги в него не записываются."}};
    QStringList listed;
    for (int row : SelectedRows())
        if (const auto it = reasons.find(List()->GetItemText(row)); it != reasons.end())
            listed << QString::fromStdString(PathOf(it->first) + "\n" + it->second);
    QStringList files;
    for (const QString& block : report.details.split("\n\n")) {
        const QStringList lines = block.split('\n');
        ASSERT_EQ(lines.size(), 3) << block.toStdString();
        files << lines[0] + '\n' + lines[1];
        EXPECT_TRUE(lines[2].startsWith("Подробности: ")) << lines[2].toStdString();
        EXPECT_GT(lines[2].size(), 16) << "a technical detail follows";
    }
    EXPECT_EQ(files, listed);
    EXPECT_FALSE(report.otherModalOpen) << "the report comes once the progress dialog has closed";
    EXPECT_EQ(report.parent, dlg.get());

    EXPECT_EQ(Bytes("damaged.mp3"), damagedBytes);
    EXPECT_EQ(TitleOf("b.mp3"), "Written") << "the run goes on past files it cannot write";
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

}  // namespace
}  // namespace kestrune::test

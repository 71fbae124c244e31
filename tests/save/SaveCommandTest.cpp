// Save through the real main window: the worker, the progress dialog with its bars and Cancel, the
// status line, what reaches the files, and the report of files that could not be written.
#include "framework/ProgressBar.h"
#include "framework/UiCall.h"
#include "res/ResourceIds.h"
#include "save/MainWindowFixture.h"
#include "save/SaveProgressDlg.h"
#include "settings/StringResources.h"

#include <QAbstractButton>

#include <sys/stat.h>

namespace kestrune::test {
namespace {

QString Loaded(unsigned id)
{
    return QString::fromStdString(LoadString(id));
}

// The progress dialog of the run in hand; called in the window thread.
CSaveProgressDlg* RunningProgress()
{
    return dynamic_cast<CSaveProgressDlg*>(QApplication::activeModalWidget());
}

struct Bars {
    int file = -1, fileLow = -1, fileHigh = -1;
    int total = -1, totalLow = -1, totalHigh = -1;
};

Bars BarsOf(const CSaveProgressDlg& progress)
{
    auto* file = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_FILE));
    auto* total = static_cast<ProgressBar*>(progress.GetDlgItem(IDC_PROGRESS_TOTAL));
    return {file->value(), file->minimum(), file->maximum(), total->value(), total->minimum(), total->maximum()};
}

class SaveCommand : public MainWindowFixture {
protected:
    // song1.mp3 ... songN.mp3, entered, in the list in the file system's order.
    void MakeSongs(int count)
    {
        for (int i = 1; i <= count; ++i) {
            const std::string name = "song" + std::to_string(i);
            dir.write(name + ".mp3", taggedMp3(name));
        }
    }
    std::string PathOf(const std::string& entry) const { return dir.str() + entry; }
    std::string Bytes(const std::string& entry) const { return readFile(PathOf(entry)); }

    void SelectAndTickTitle(const std::vector<std::string>& entries, const QString& title)
    {
        for (size_t i = 0; i < entries.size(); ++i)
            ClickEntry(entries[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        Tick(kRowTitle);
        Retype(kRowTitle, title);
    }

    void PressSave() { Click(*dlg, IDC_SAVE); }
};

TEST_F(SaveCommand, WritesTheTickedFieldsIntoEverySelectedFileInListOrder)
{
    MakeSongs(4);
    OpenFolder();
    const std::string untouched = Bytes("song4.mp3");

    // Selected against list order; the worker still goes down the list.
    ClickEntry("song3.mp3");
    ClickEntry("song1.mp3", Qt::ControlModifier);
    ClickEntry("song2.mp3", Qt::ControlModifier);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3");
    Tick(kRowTitle);
    Retype(kRowTitle, "Новое название");
    Tick(kRowArtist);
    Retype(kRowArtist, "Новый исполнитель");
    Tick(kRowComment);
    Retype(kRowComment, "");
    Tick(kRowTrack);
    Retype(kRowTrack, "01");
    // Typed into an option box: nothing reads it.
    Type(qobject_cast<QComboBox*>(Control(*dlg, IDC_SAVE_TAGS))->lineEdit(), "ID3v1");

    const std::vector<int> selectedBefore = SelectedRows();
    const std::vector<QString> shownBefore = ShownTexts();

    std::vector<std::string> order;  // the worker's only
    bool checkedDuringRun = false;
    StepHook hook([&](const std::string& path, int step) {
        if (step == 0)
            order.push_back(path);
        if (!checkedDuringRun)
            uiCall(dlg.get(), [&] {
                checkedDuringRun = true;
                CSaveProgressDlg* progress = RunningProgress();
                ASSERT_NE(progress, nullptr);
                EXPECT_EQ(progress->windowTitle(), "Процесс обработки");
                EXPECT_EQ(progress->parentWidget(), dlg.get());
                // The main window takes no input during the run.
                EXPECT_EQ(progress->windowModality(), Qt::ApplicationModal);
                ClickThroughWindow(Control(*dlg, IDC_WRITE_YEAR));
                EXPECT_EQ(dlg->m_bWriteYear, 0);
                EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_SAVING_TEXT));
                EXPECT_EQ(Text(*progress, IDCANCEL), "Cancel");
                EXPECT_EQ(QApplication::focusWidget(), progress->GetDlgItem(IDCANCEL));
            });
    });
    MessageBoxWatcher boxes;
    PressSave();

    EXPECT_TRUE(checkedDuringRun);
    std::vector<std::string> listOrder;
    for (int row : selectedBefore)
        listOrder.push_back(dir.str() + List()->GetItemText(row));
    EXPECT_EQ(order, listOrder);

    for (const std::string name : {"song1", "song2", "song3"}) {
        SCOPED_TRACE(name);
        const auto fields = fieldsOf(PathOf(name + ".mp3"));
        EXPECT_EQ(fields.at("title"), "Новое название");
        EXPECT_EQ(fields.at("artist"), "Новый исполнитель");
        EXPECT_EQ(fields.at("comment"), "");
        EXPECT_EQ(fields.at("track number"), "01");
        for (const std::string field : {"album", "year", "genre", "composer", "original artist", "copyright",
                                         "URL", "encoded by"})
            EXPECT_EQ(fields.at(field), originalText(name, field)) << field;
        EXPECT_TRUE(containsAll(frameIdsOf(PathOf(name + ".mp3")), twelveFrameIds()));
    }
    EXPECT_EQ(Bytes("song4.mp3"), untouched);

    // The window is as it was, with the ready status back; no report when every file was written.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
    EXPECT_EQ(SelectedRows(), selectedBefore);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3");
    EXPECT_EQ(ShownTexts(), shownBefore);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(SaveCommand, TheBarsCountTheStepsOfEachFileAndTheFilesDone)
{
    MakeSongs(3);
    OpenFolder();
    ClickEntry("song1.mp3");
    ClickEntry("song2.mp3", Qt::ControlModifier);
    ClickEntry("song3.mp3", Qt::ControlModifier);

    // Per step: file bar position and range, total bar position and range, as seen and as due.
    using Seen = std::array<int, 6>;
    std::vector<Seen> seen, due;
    int file = -1;
    StepHook hook([&](const std::string&, int step) {
        if (step == 0)
            ++file;
        due.push_back({step, 0, 14, file, 0, 3});
        uiCall(dlg.get(), [&] {
            const Bars b = BarsOf(*RunningProgress());
            seen.push_back({b.file, b.fileLow, b.fileHigh, b.total, b.totalLow, b.totalHigh});
        });
    });
    PressSave();
    EXPECT_EQ(seen.size(), 3u * 15u);
    EXPECT_EQ(seen, due);
}

// The three ways of asking to stop while a file is in hand.
enum class CancelBy { Button, Esc, CloseBox };
void PrintTo(CancelBy way, std::ostream* out)
{
    *out << (way == CancelBy::Button ? "Button" : way == CancelBy::Esc ? "Esc" : "CloseBox");
}

class SaveCancel : public SaveCommand, public testing::WithParamInterface<CancelBy> {};

void RequestCancel(CSaveProgressDlg& progress, CancelBy way)
{
    QWidget* button = progress.GetDlgItem(IDCANCEL);
    switch (way) {
    case CancelBy::Button:
        Click(button);
        break;
    case CancelBy::Esc:
        PressKey(button, Qt::Key_Escape);
        break;
    case CancelBy::CloseBox:
        progress.close();
        break;
    }
}

TEST_P(SaveCancel, DuringFileKTheRunEndsWhenThatFileIsDone)
{
    MakeSongs(4);
    OpenFolder();
    std::vector<std::string> entries;
    for (int row = 0; row < List()->GetItemCount(); ++row)
        entries.push_back(List()->GetItemText(row));
    SelectAndTickTitle(entries, "Written");
    std::vector<std::string> before;
    for (const std::string& e : entries)
        before.push_back(Bytes(e));

    const std::string fileK = PathOf(entries[1]);  // k = 2 of 4
    Bars atEnd;
    QString captionAtEnd;
    bool stoppedAsked = false;
    StepHook hook([&](const std::string& path, int step) {
        if (path != fileK || step != 1)
            return;
        uiCall(dlg.get(), [&] {
            CSaveProgressDlg* progress = RunningProgress();
            ASSERT_NE(progress, nullptr);
            QObject::connect(progress, &QDialog::finished, [&, progress] {
                atEnd = BarsOf(*progress);
                captionAtEnd = Text(*progress, IDCANCEL);
            });
            RequestCancel(*progress, GetParam());
            stoppedAsked = progress->m_bStop;
            EXPECT_TRUE(progress->isVisible());
            EXPECT_FALSE(progress->GetDlgItem(IDCANCEL)->isEnabled());
            EXPECT_EQ(Text(*progress, IDCANCEL), Loaded(IDS_CANCELLING));
            EXPECT_EQ(Text(*progress, IDCANCEL), "Отменяется...");

            // A second request while the worker runs is ignored, whichever way it comes.
            PressKey(progress->GetDlgItem(IDCANCEL), Qt::Key_Escape);
            progress->close();
            QApplication::processEvents();
            EXPECT_TRUE(progress->isVisible());
        });
    });
    PressSave();

    EXPECT_TRUE(stoppedAsked);
    EXPECT_EQ(fieldsOf(PathOf(entries[0])).at("title"), "Written");
    EXPECT_EQ(fieldsOf(fileK).at("title"), "Written") << "the file in hand is completed";
    EXPECT_EQ(Bytes(entries[2]), before[2]);
    EXPECT_EQ(Bytes(entries[3]), before[3]);
    EXPECT_EQ(atEnd.total, 2);
    EXPECT_EQ(atEnd.file, 14);
    EXPECT_EQ(captionAtEnd, "OK");
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

INSTANTIATE_TEST_SUITE_P(EachWay, SaveCancel, testing::Values(CancelBy::Button, CancelBy::Esc, CancelBy::CloseBox),
                         testing::PrintToStringParamName());

TEST_F(SaveCommand, FilesThatCannotBeWrittenAreListedInOneMessageAfterTheRun)
{
    dir.write("a.mp3", taggedMp3("a"));
    dir.write("locked.mp3", taggedMp3("locked"));
    ::chmod((dir.path() / "locked.mp3").c_str(), 0444);
    dir.mkdir("Album");
    dir.write("b.mp3", taggedMp3("b"));
    OpenFolder();
    const std::string lockedBytes = Bytes("locked.mp3");
    SelectAndTickTitle({"a.mp3", "locked.mp3", "Album/", "b.mp3"}, "Written");
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3") << "the folder entry is not counted";

    MessageBoxWatcher boxes;
    PressSave();

    ASSERT_EQ(boxes.seen().size(), 1u);
    const auto& report = boxes.seen().front();
    EXPECT_EQ(report.caption, Loaded(IDS_NOT_WRITTEN_CAPTION));
    EXPECT_EQ(report.text, "Теги записаны не во все файлы. Не записано: 2 из 4.");
    const QStringList lines = report.details.split('\n');
    ASSERT_EQ(lines.size(), 2);
    std::vector<std::string> expected;
    for (int row : SelectedRows()) {
        const std::string text = List()->GetItemText(row);
        if (text == "locked.mp3")
            expected.push_back(PathOf(text) + ": read-only");
        else if (text == "Album/")
            expected.push_back(PathOf(text) + ": not a regular file");
    }
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(lines[0].toStdString(), expected[0]);
    EXPECT_EQ(lines[1].toStdString(), expected[1]);
    EXPECT_FALSE(report.otherModalOpen) << "the report comes once the progress dialog has closed";
    EXPECT_EQ(report.parent, dlg.get());

    EXPECT_EQ(fieldsOf(PathOf("a.mp3")).at("title"), "Written");
    EXPECT_EQ(fieldsOf(PathOf("b.mp3")).at("title"), "Written");
    EXPECT_EQ(Bytes("locked.mp3"), lockedBytes);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "Album"));
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

TEST_F(SaveCommand, WithNothingSelectedTheDialogOpensAndClosesAndNothingIsTouched)
{
    MakeSongs(2);
    OpenFolder();
    const std::string before = Bytes("song1.mp3");
    bool stepped = false;
    StepHook hook([&](const std::string&, int) { stepped = true; });
    MessageBoxWatcher boxes;
    dlg->OnSave();  // the button is disabled; the command itself still runs through
    EXPECT_FALSE(stepped);
    EXPECT_EQ(Bytes("song1.mp3"), before);
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
}

// The dialog alone, without a worker.
TEST(SaveProgressDialog, StartsWithBothBarsAtZeroAndTheFileRangeSet)
{
    CSaveProgressDlg progress;
    EXPECT_FALSE(progress.m_bReady);
    EXPECT_FALSE(progress.m_bStop);
    progress.Create();
    EXPECT_TRUE(progress.m_bReady);
    const Bars bars = BarsOf(progress);
    EXPECT_EQ(bars.file, 0);
    EXPECT_EQ(bars.fileLow, 0);
    EXPECT_EQ(bars.fileHigh, 14);
    EXPECT_EQ(bars.total, 0);
    EXPECT_EQ(progress.windowTitle(), "Процесс обработки");
}

TEST(SaveProgressDialog, TheUsersFirstCancelOnlyAsksAndTheWorkersCallCloses)
{
    CSaveProgressDlg progress;
    const int result = RunModal(progress, [&] {
        QWidget* cancel = progress.GetDlgItem(IDCANCEL);
        EXPECT_EQ(QApplication::focusWidget(), cancel);
        PressKey(cancel, Qt::Key_Return);
        EXPECT_FALSE(progress.m_bStop);
        PressKey(cancel, Qt::Key_Escape);
        EXPECT_TRUE(progress.m_bStop);
        EXPECT_FALSE(cancel->isEnabled());
        EXPECT_EQ(Text(progress, IDCANCEL), "Отменяется...");
        PressKey(cancel, Qt::Key_Escape);
        EXPECT_TRUE(progress.isVisible()) << "the user's second request waits for the worker";

        std::thread worker([&] { progress.OnCancel(); });  // the worker's last call
        worker.join();  // posting only: it must not wait for this thread
        EXPECT_TRUE(QTest::qWaitFor([&] { return !progress.isVisible(); }, 10000));
    });
    EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
}  // namespace kestrune::test

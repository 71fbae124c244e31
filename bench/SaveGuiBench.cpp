// Save through the real main window, headless: the folder (with "S" when it has sub-folders), "A",
// the title and artist ticked and typed, and Save with its worker and progress dialog.
#include "BenchCommands.h"
#include "BenchGui.h"

#include "res/DialogIds.h"
#include "ui/main/KestruneDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace kestrune::bench {

namespace {

void ClickButton(const CKestruneDlg& dlg, int id)
{
    static_cast<QAbstractButton*>(dlg.GetDlgItem(id))->click();
}

}  // namespace

int RunSaveGui(int argc, char** argv)
{
    if (argc != 1 && argc != 3) {
        std::fprintf(stderr, "usage: kestrune-bench save-gui DIR [TITLE ARTIST]\n");
        return 2;
    }
    const BenchTexts texts = BenchTextsFrom(argc, argv);
    Gui gui;

    CKestruneDlg dlg;
    dlg.Create();
    dlg.show();
    const auto setupStart = std::chrono::steady_clock::now();
    dlg.ShowFolder(WithSlash(argv[0]));
    if (dlg.m_chkSubfolders.IsWindowEnabled())
        ClickButton(dlg, IDC_SUBFOLDERS);
    ClickButton(dlg, IDC_SELECT_ALL);
    // Whatever the list still has to report must come before the typing: every report of the list
    // shows the members again, which would put back the texts typed over.
    QApplication::processEvents();
    ClickButton(dlg, IDC_WRITE_TITLE);
    ClickButton(dlg, IDC_WRITE_ARTIST);
    dlg.m_edTitle.SetWindowText(texts.title);
    dlg.m_edArtist.SetWindowText(texts.artist);
    const double setup = std::chrono::duration<double>(std::chrono::steady_clock::now() - setupStart).count();

    // The report of files not written is a modal message box: count it and close it.
    size_t notWritten = 0;
    QTimer reportCloser;
    QObject::connect(&reportCloser, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "%s\n%s\n", qPrintable(box->text()), qPrintable(box->detailedText()));
            notWritten = static_cast<size_t>(box->detailedText().count('\n') + 1);
            box->accept();
        }
    });
    reportCloser.start(50);

    const auto files = static_cast<size_t>(dlg.m_lcFiles.GetSelectedCount());
    const auto start = std::chrono::steady_clock::now();
    ClickButton(dlg, IDC_SAVE);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("listing, \"A\" and ticks %.3f s\n", setup);
    return ReportSaveRun(files, notWritten, seconds);
}

}  // namespace kestrune::bench

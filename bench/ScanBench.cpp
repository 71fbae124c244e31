// The folder browser of the real main window, headless: the list fills and "A".
#include "BenchCommands.h"
#include "BenchGui.h"

#include "framework/ListCtrl.h"
#include "ui/main/KestruneDlg.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace kestrune::bench {

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor time of this thread: on a busy machine it says what the work costs when the
// wall-clock time also holds waiting for a core.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Lets the window lay out and paint what the operation left, as it would before the user sees it.
double Settle()
{
    const auto start = std::chrono::steady_clock::now();
    QApplication::processEvents();
    return SecondsSince(start);
}

struct Timing {
    double seconds;  // wall clock
    double cpu;      // this thread's processor time
    double settle;   // layout and paint afterwards
};

template <class Operation>
Timing Time(Operation operation)
{
    const double cpuStart = ThreadSeconds();
    const auto start = std::chrono::steady_clock::now();
    operation();
    const double seconds = SecondsSince(start);
    const double cpu = ThreadSeconds() - cpuStart;
    return {seconds, cpu, Settle()};
}

}  // namespace

int RunScan(int argc, char** argv)
{
    const bool recursive = argc == 2 && std::strcmp(argv[1], "--recursive") == 0;
    if (argc != 1 && !recursive) {
        std::fprintf(stderr, "usage: kestrune-bench scan DIR [--recursive]\n");
        return 2;
    }
    Gui gui;

    CKestruneDlg dlg;
    dlg.Create();
    dlg.show();
    Settle();
    if (recursive)
        dlg.m_chkSubfolders.SetCheck(1);

    const Timing t = Time([&] { dlg.ShowFolder(WithSlash(argv[0])); });
    const int entries = dlg.m_lcFiles.GetItemCount();
    std::printf("processor time %.3f s; layout and paint afterwards %.3f s\n", t.cpu, t.settle);
    std::printf("%d entries in %.3f s\n", entries, t.seconds);
    return 0;
}

int RunSelectAll(int argc, char** argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: kestrune-bench select-all DIR\n");
        return 2;
    }
    Gui gui;

    CKestruneDlg dlg;
    dlg.Create();
    dlg.show();
    dlg.m_chkSubfolders.SetCheck(1);
    dlg.ShowFolder(WithSlash(argv[0]));
    Settle();

    const Timing t = Time([&] { dlg.OnSelectAll(); });
    std::printf("%d MP3 entries selected; processor time %.3f s; paint afterwards %.3f s\n", dlg.m_nSelected, t.cpu,
                t.settle);
    std::printf("%d entries in %.3f s\n", dlg.m_lcFiles.GetItemCount(), t.seconds);
    return dlg.m_nSelected == dlg.m_lcFiles.GetSelectedCount() ? 0 : 1;
}

}  // namespace kestrune::bench

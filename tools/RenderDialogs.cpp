// kestrune-render-dialogs OUTDIR: draws every dialog template of the program to OUTDIR/dialog-<id>.png
// without a display, with a caption strip above each, so the layout can be reviewed as a picture.
#include "framework/Dialog.h"
#include "res/AppResources.h"
#include "res/DialogIds.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/KestruneDlg.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <memory>

using namespace kestrune;

namespace {

// The windows as the program shows them; templates that no class of the program shows yet are
// drawn by the bare dialog.
std::unique_ptr<CDialog> MakeDialog(int templateId)
{
    switch (templateId) {
    case IDD_KESTRUNE_DIALOG:
        return std::make_unique<CKestruneDlg>();
    case IDD_ABOUTBOX:
        return std::make_unique<CAboutDlg>();
    default:
        return std::make_unique<CDialog>(templateId);
    }
}

QPixmap WithCaption(const QPixmap& client, const QString& caption, const QPalette& palette)
{
    const int strip = caption.isEmpty() ? 0 : QFontMetrics(QApplication::font()).height() + 10;
    QPixmap framed(client.width() + 2, client.height() + strip + 2);
    framed.fill(palette.color(QPalette::Dark));
    QPainter painter(&framed);
    painter.fillRect(1, 1, client.width(), strip, palette.color(QPalette::Highlight));
    painter.setPen(palette.color(QPalette::HighlightedText));
    painter.drawText(QRect(8, 1, client.width() - 16, strip), Qt::AlignVCenter | Qt::AlignLeft, caption);
    painter.drawPixmap(1, 1 + strip, client);
    return framed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterKestruneResources();
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrune-render-dialogs OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kestrune-render-dialogs: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (int id : {IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS, IDD_OPTIONS, IDD_TRACK_PAGE, IDD_GENERATE}) {
        std::unique_ptr<CDialog> dialog = MakeDialog(id);
        dialog->Create();
        const QPixmap picture = WithCaption(dialog->grab(), dialog->windowTitle(), dialog->palette());
        const QString path = out.filePath(QStringLiteral("dialog-%1.png").arg(id));
        if (picture.save(path, "PNG")) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "kestrune-render-dialogs: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

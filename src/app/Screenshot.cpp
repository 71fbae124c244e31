#include "app/Screenshot.h"

#include "ui/main/KestruneDlg.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPixmap>

#include <cstdio>

namespace kestrune {

namespace {

// As many entries as one column of the list holds. Empty files are enough: the list shows names.
constexpr const char* kSampleEntries[] = {
    "Концертные записи/",
    "Неизданное/",
    "01 Вступление.mp3",
    "02 Дорога домой через всю страну (живая запись с фестиваля, 2019).mp3",
    "03 Колыбельная для большого города.mp3",
    "04 Песня о том, как мы встретились на вокзале в Твери.mp3",
    "05 Последний трамвай (версия для радио).mp3",
    "06 Письмо, которое я так и не отправил (акустика).mp3",
    "07 Финал.mp3",
};

}  // namespace

Screenshot::Screenshot(CKestruneDlg& window, const QString& path)
    : m_window(window), m_path(path), m_sample(QDir::tempPath() + QStringLiteral("/Музыка-XXXXXX"))
{
    ShowSampleFolder();
    m_window.installEventFilter(this);
}

void Screenshot::ShowSampleFolder()
{
    if (!m_sample.isValid())
        return;
    const QDir folder(m_sample.path());
    for (const char* entry : kSampleEntries) {
        const QString name = QString::fromUtf8(entry);
        if (name.endsWith('/'))
            folder.mkdir(name);
        else
            QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    }
    m_window.ShowFolder((m_sample.path() + '/').toStdString());
}

bool Screenshot::eventFilter(QObject* watched, QEvent* event)
{
    // The grab is queued behind the first paint, so the window has been drawn once on screen.
    if (watched == &m_window && event->type() == QEvent::Paint && !m_bScheduled) {
        m_bScheduled = true;
        QMetaObject::invokeMethod(this, &Screenshot::Take, Qt::QueuedConnection);
    }
    return false;
}

void Screenshot::Take()
{
    m_window.removeEventFilter(this);
    m_bSaved = m_window.grab().save(m_path, "PNG");
    if (m_bSaved)
        std::printf("Saved a picture of the main window to %s\n", qPrintable(m_path));
    else
        std::fprintf(stderr, "kestrune: could not write %s\n", qPrintable(m_path));
    m_window.close();
}

}  // namespace kestrune

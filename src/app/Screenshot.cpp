#include "app/Screenshot.h"

#include <QEvent>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace kestrune {

Screenshot::Screenshot(QWidget& window, const QString& path) : m_window(window), m_path(path)
{
    m_window.installEventFilter(this);
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

#include "framework/ProgressBar.h"

#include "framework/UiCall.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <QThread>

#include <algorithm>

namespace kestrune {

namespace {
constexpr int kFrameMs = 16;  // one frame of a 60 Hz display

int Clamp(int value, int minimum, int maximum)
{
    return maximum >= minimum ? std::clamp(value, minimum, maximum) : minimum;
}
}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent), m_repaintTimer(this)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(kFrameMs);
    connect(&m_repaintTimer, &QTimer::timeout, this, [this] {
        m_repaintScheduled = false;
        update();
    });
}

std::pair<int, int> ProgressBar::range() const
{
    std::lock_guard lock(m_mutex);
    return {m_min, m_max};
}

int ProgressBar::value() const
{
    std::lock_guard lock(m_mutex);
    return m_value;
}

void ProgressBar::setRange(int minimum, int maximum)
{
    {
        std::lock_guard lock(m_mutex);
        m_min = minimum;
        m_max = maximum;
        m_value = Clamp(m_value, m_min, m_max);
    }
    ScheduleRepaint();
}

int ProgressBar::setValue(int value)
{
    int previous;
    {
        std::lock_guard lock(m_mutex);
        previous = m_value;
        m_value = Clamp(value, m_min, m_max);
        if (m_value == previous)
            return previous;
    }
    ScheduleRepaint();
    return previous;
}

// One repaint per frame however many changes come in it; the timer lives in the window thread,
// so another thread asks that thread to start it.
void ProgressBar::ScheduleRepaint()
{
    if (m_repaintScheduled.exchange(true))
        return;
    if (QThread::currentThread() == thread())
        m_repaintTimer.start();
    else
        uiPost(this, [this] { m_repaintTimer.start(); });
}

QSize ProgressBar::sizeHint() const
{
    return QSize(100, fontMetrics().height() / 2 + 4);
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    {
        std::lock_guard lock(m_mutex);
        option.minimum = m_min;
        option.maximum = std::max(m_min, m_max);
        option.progress = m_value;
    }
    option.textVisible = false;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}

}  // namespace kestrune

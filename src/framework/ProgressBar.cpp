#include "framework/ProgressBar.h"

#include "framework/UiCall.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <QThread>

#include <algorithm>

namespace kestrune {

namespace {
constexpr int kFrameMs = 16;  // one frame of a 60 Hz display
constexpr int kReportMs = 250;  // the shortest time between two value reports to screen readers

int Clamp(int value, int minimum, int maximum)
{
    return maximum >= minimum ? std::clamp(value, minimum, maximum) : minimum;
}
// What screen readers see of the bar: a progress bar and its value, which only the work sets.
class ProgressBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override
    {
        if (type != QAccessible::Value)
            return QAccessibleWidget::text(type);
        const auto [minimum, maximum] = Bar()->Range();
        const int span = maximum - minimum;
        return QStringLiteral("%1%").arg(span > 0 ? (Bar()->Value() - minimum) * 100 / span : 0);
    }
    QVariant currentValue() const override { return Bar()->Value(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Bar()->Maximum(); }
    QVariant minimumValue() const override { return Bar()->Minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    ProgressBar* Bar() const { return static_cast<ProgressBar*>(widget()); }
};

QAccessibleInterface* AccessibleProgressBar(const QString& className, QObject* object)
{
    if (className == QLatin1String(ProgressBar::staticMetaObject.className()))
        if (auto* bar = qobject_cast<ProgressBar*>(object))
            return new ProgressBarAccessible(bar);
    return nullptr;
}

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent), m_repaintTimer(this), m_reportTimer(this)
{
    static const bool accessible = (QAccessible::installFactory(AccessibleProgressBar), true);
    Q_UNUSED(accessible);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(kFrameMs);
    connect(&m_repaintTimer, &QTimer::timeout, this, &ProgressBar::Repaint);
    m_reportTimer.setSingleShot(true);
    connect(&m_reportTimer, &QTimer::timeout, this, &ProgressBar::ReportValue);
}

void ProgressBar::Repaint()
{
    m_repaintScheduled = false;
    update();
    if (m_reportTimer.isActive())
        return;
    const qint64 wait = m_sinceReport.isValid() ? kReportMs - m_sinceReport.elapsed() : 0;
    if (wait > 0)
        m_reportTimer.start(static_cast<int>(wait));
    else
        ReportValue();
}

void ProgressBar::ReportValue()
{
    const int now = Value();
    if (now == m_reportedValue)
        return;
    m_reportedValue = now;
    m_sinceReport.start();
    QAccessibleValueChangeEvent event(this, now);
    QAccessible::updateAccessibility(&event);  // returns at once when no screen reader listens
    emit valueReported(now);
}

std::pair<int, int> ProgressBar::Range() const
{
    std::lock_guard lock(m_mutex);
    return {m_min, m_max};
}

int ProgressBar::Value() const
{
    std::lock_guard lock(m_mutex);
    return m_value;
}

void ProgressBar::SetRange(int minimum, int maximum)
{
    {
        std::lock_guard lock(m_mutex);
        m_min = minimum;
        m_max = maximum;
        m_value = Clamp(m_value, m_min, m_max);
    }
    ScheduleRepaint();
}

int ProgressBar::SetValue(int value)
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
        UiPost(this, [this] { m_repaintTimer.start(); });
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

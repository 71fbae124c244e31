#include "framework/ProgressBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

#include <algorithm>

namespace kestrune {

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressBar::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    setValue(m_value);
    update();
}

void ProgressBar::setValue(int value)
{
    const int clamped = m_max >= m_min ? std::clamp(value, m_min, m_max) : m_min;
    if (clamped == m_value)
        return;
    m_value = clamped;
    update();
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
    option.minimum = m_min;
    option.maximum = std::max(m_min, m_max);
    option.progress = m_value;
    option.textVisible = false;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}

}  // namespace kestrune

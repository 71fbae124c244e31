#pragma once

#include <QWidget>

namespace kestrune {

// A smooth progress bar without text, as the Windows one.
//
// QProgressBar::setValue repaints at once (hundreds of microseconds per call), which a worker
// advancing the bar fourteen times per file cannot afford. This bar keeps its value exact for
// readers and only schedules a repaint, so painting happens at the display's pace.
class ProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int value() const { return m_value; }
    // A range with maximum below minimum is stored as given; the bar is then drawn empty.
    void setRange(int minimum, int maximum);
    // Clamps the value into the range.
    void setValue(int value);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};

}  // namespace kestrune

#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <mutex>
#include <utility>

namespace kestrune {

// A smooth progress bar without text, as the Windows one.
//
// A worker advances the bar fourteen times per file. Repainting at each step (hundreds of
// microseconds) or waiting for the window thread at each step (a thread round trip) would throttle
// the work, so the bar's range and value are its own thread-safe state: any thread sets and reads
// them at once, exactly, and painting follows in the window thread at most once per display frame.
//
// Screen readers see a progress bar with its value, and hear of its changes in the window thread at
// most a few times a second: more would only be noise.
class ProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    int Minimum() const { return Range().first; }
    int Maximum() const { return Range().second; }
    std::pair<int, int> Range() const;
    int Value() const;
    // A range with maximum below minimum is stored as given; the bar is then drawn empty.
    void SetRange(int minimum, int maximum);
    // Clamps the value into the range; returns the previous value.
    int SetValue(int value);

    QSize sizeHint() const override;

signals:
    // The value has just been reported to screen readers (window thread).
    void valueReported(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ScheduleRepaint();
    void Repaint();
    void ReportValue();

    mutable std::mutex m_mutex;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    std::atomic<bool> m_repaintScheduled{false};
    QTimer m_repaintTimer;  // window thread only
    // Window thread only: the value screen readers last heard of, and when.
    QTimer m_reportTimer;
    QElapsedTimer m_sinceReport;
    int m_reportedValue = -1;
};

}  // namespace kestrune

#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kestrune {

// Saves a window to a PNG after its first paint, then closes it through its close button's path.
class Screenshot : public QObject {
    Q_OBJECT
public:
    Screenshot(QWidget& window, const QString& path);
    bool Saved() const { return m_bSaved; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Take();

    QWidget& m_window;
    QString m_path;
    bool m_bScheduled = false;
    bool m_bSaved = false;
};

}  // namespace kestrune

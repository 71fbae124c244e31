#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

class QWidget;

namespace kestrune {

class CKestruneDlg;

// Saves the main window to a PNG after its first paint, then closes it through its close button's
// path. The window shows a sample folder meanwhile (made for the picture and removed with this
// object): a few sub-folders and MP3 files with long names, which the list shows in full.
class Screenshot : public QObject {
    Q_OBJECT
public:
    // Call once the window exists (after Create), before its modal run.
    Screenshot(CKestruneDlg& window, const QString& path);
    bool Saved() const { return m_bSaved; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSampleFolder();
    void Take();

    CKestruneDlg& m_window;
    QString m_path;
    QTemporaryDir m_sample;
    bool m_bScheduled = false;
    bool m_bSaved = false;
};

}  // namespace kestrune

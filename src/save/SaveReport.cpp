#include "save/SaveReport.h"

#include "res/ResourceIds.h"
#include "settings/StringResources.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QMessageBox>
#include <QStringList>
#include <QTextEdit>

#include <cstring>

namespace kestrune {

namespace {

QString Loaded(unsigned id)
{
    return QString::fromStdString(LoadString(id));
}

// The technical side, for whoever has to look into it: the record's detail and the system's own
// words for its error.
QString TechnicalDetail(const SaveFailure& failure)
{
    QString detail = QString::fromStdString(failure.detail);
    if (failure.systemError != 0)
        detail += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(failure.systemError)));
    return Loaded(IDS_NOT_WRITTEN_DETAIL).arg(detail);
}

// A reason outside the table (none at all) cannot come from a refused save; it reads as the
// program's own fault rather than as nothing.
QString SaveReasonText(SaveReason reason)
{
    const int code = static_cast<int>(reason);
    return Loaded(SaveReasonTextId(code >= 1 && code < kSaveReasonCount ? code : static_cast<int>(SaveReason::Internal)));
}

}  // namespace

void ReportNotWritten(QWidget* parent, const SaveLoopResult& result)
{
    if (result.notWritten.empty())
        return;
    QStringList lines;
    for (const NotWrittenFile& file : result.notWritten) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QString::fromStdString(file.path) << SaveReasonText(file.failure.reason)
              << TechnicalDetail(file.failure);
    }

    QMessageBox box(QMessageBox::Warning, Loaded(IDS_NOT_WRITTEN_CAPTION),
                    Loaded(IDS_NOT_WRITTEN_SUMMARY).arg(result.notWritten.size()).arg(result.files),
                    QMessageBox::Ok, parent);
    box.setDetailedText(lines.join('\n'));
    // Qt's details pane is narrow for a path and a sentence; the box grows with it.
    if (auto* details = box.findChild<QTextEdit*>()) {
        const QFontMetrics metrics(details->font());
        details->setMinimumWidth(90 * metrics.averageCharWidth());
    }
    // The list is what the user needs: show it at once rather than behind the details button.
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::ActionRole)
            button->click();
    box.exec();
}

}  // namespace kestrune

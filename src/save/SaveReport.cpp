#include "save/SaveReport.h"

#include "res/ResourceIds.h"
#include "settings/StringResources.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

namespace kestrune {

void ReportNotWritten(QWidget* parent, const SaveLoopResult& result)
{
    if (result.notWritten.empty())
        return;
    QStringList lines;
    for (const NotWrittenFile& file : result.notWritten)
        lines << QString::fromStdString(file.path) + ": " + QString::fromStdString(file.failure.detail);

    QMessageBox box(QMessageBox::Warning, QString::fromStdString(LoadString(IDS_NOT_WRITTEN_CAPTION)),
                    QString::fromStdString(LoadString(IDS_NOT_WRITTEN_SUMMARY))
                        .arg(result.notWritten.size())
                        .arg(result.files),
                    QMessageBox::Ok, parent);
    box.setDetailedText(lines.join('\n'));
    // The list is what the user needs: show it at once rather than behind the details button.
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::ActionRole)
            button->click();
    box.exec();
}

}  // namespace kestrune

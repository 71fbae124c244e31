#include "framework/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace kestrune {

CWaitCursor::CWaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace kestrune

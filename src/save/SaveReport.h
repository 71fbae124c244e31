#pragma once

#include "save/SaveLoop.h"

class QWidget;

namespace kestrune {

// After a save run: when some files were not written, one message box (modal, above `parent`) that
// says how many, with every such file, its reason in the user's words and the technical detail in
// a scrolling list. Shows nothing when every file was written.
void ReportNotWritten(QWidget* parent, const SaveLoopResult& result);

}  // namespace kestrune

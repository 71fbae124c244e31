#pragma once

#include "save/SaveLoop.h"

class QWidget;

namespace kestrune {

// After a save run: when some files were not written, one message box (modal, above `parent`) that
// says how many, with every such file in a scrolling list: its path, its reason in the user's words
// and the technical detail, a blank line between files. Shows nothing when every file was written.
void ReportNotWritten(QWidget* parent, const SaveLoopResult& result);

}  // namespace kestrune

#pragma once

#include "framework/DialogTemplate.h"

#include <span>

class QWidget;

namespace kestrune {

// A control of a built dialog: its template and its widget, placed at its template rectangle.
struct PlacedControl {
    const ControlTemplate* tmpl;
    QWidget* widget;
};

// Qt's fonts and styles draw some texts wider than Windows does. Each label or tick box whose
// text does not fit its rectangle is widened to its size hint as far as the space to its right
// is free (up to clientWidth); a label that still does not fit wraps onto more lines where the
// space below is free; a tick box is made as tall as its box where the space above and below it
// is free (not above menuHeight). Other controls keep their places.
void FitTexts(std::span<const PlacedControl> controls, int clientWidth, int menuHeight);

}  // namespace kestrune

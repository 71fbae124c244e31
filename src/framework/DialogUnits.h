#pragma once

#include <QRect>

class QFont;

namespace kestrune {

// Rounds number * numerator / denominator to the nearest integer, halves away from zero.
int MulDiv(int number, int numerator, int denominator);

// Converts dialog units to pixels from the base units of a dialog font: a horizontal dialog
// unit is a quarter of the font's average character width, a vertical one an eighth of its
// height, so a template keeps its proportions at any font size and screen resolution.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    int X(int dlu) const { return MulDiv(dlu, m_baseX, 4); }
    int Y(int dlu) const { return MulDiv(dlu, m_baseY, 8); }
    // Converts the corners, so that rectangles that touch in dialog units touch on screen too.
    QRect Rect(int x, int y, int cx, int cy) const
    {
        return QRect(QPoint(X(x), Y(y)), QPoint(X(x + cx) - 1, Y(y + cy) - 1));
    }

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace kestrune

#include "framework/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

#include <cstdint>

namespace kestrune {

int MulDiv(int number, int numerator, int denominator)
{
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t q = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(q);
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const int advance = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (advance / 26 + 1) / 2;
    m_baseY = fm.height();
}

}  // namespace kestrune

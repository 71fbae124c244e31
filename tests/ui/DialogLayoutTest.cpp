// Templates become windows: dialog units to pixels from the dialog font, every control at its
// place in tab order, and no text cut off, at several font sizes.
#include "framework/DialogUnits.h"
#include "support/FrameworkTemplates.h"
#include "support/TemplateLayoutCheck.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace kestrune {
namespace {

TEST(DialogUnits, BaseUnitsComeFromTheFontsMetricsAndHalvesRoundAwayFromZero)
{
    EXPECT_EQ(MulDiv(374, 7, 4), 655);  // 654.5
    EXPECT_EQ(MulDiv(-1, 6, 4), -2);
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    if (QFontInfo(font).family() != QStringLiteral("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    const DialogUnits units(font);
    EXPECT_EQ(units.BaseX(), 7);
    EXPECT_EQ(units.BaseY(), 14);
    EXPECT_EQ(units.Rect(7, 22, 360, 83), QRect(12, 39, 630, 145));
}

TEST(TemplateLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    test::ExpectLaidOutAsTemplates({test::IDD_TEST_FORM, test::IDD_TEST_BOX});
}

}  // namespace
}  // namespace kestrune

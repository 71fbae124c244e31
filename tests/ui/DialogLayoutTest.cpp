// Templates become windows: dialog units to pixels from the dialog font, every control at its
// place in tab order, and no text cut off, at several font sizes.
#include "framework/Dialog.h"
#include "framework/DialogUnits.h"
#include "res/DialogIds.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <tuple>
#include <vector>

namespace kestrune {
namespace {

TEST(DialogUnits, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(374, 7, 4), 655);  // 654.5
    EXPECT_EQ(MulDiv(1, 5, 4), 1);      // 1.25
    EXPECT_EQ(MulDiv(-1, 6, 4), -2);
}

TEST(DialogUnits, BaseUnitsComeFromTheFontsMetrics)
{
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    if (QFontInfo(font).family() != QStringLiteral("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    const DialogUnits units(font);
    EXPECT_EQ(units.BaseX(), 7);
    EXPECT_EQ(units.BaseY(), 14);
    EXPECT_EQ(units.Rect(7, 22, 360, 83), QRect(12, 39, 630, 145));
}

// (template, point size of the dialog font)
class TemplateLayout : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(TemplateLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    const auto [templateId, pointSize] = GetParam();
    CDialog dlg(templateId);
    QFont font = dlg.font();
    font.setPointSize(pointSize);
    dlg.setFont(font);
    dlg.Create();

    const DialogTemplate& t = *FindDialogTemplate(templateId);
    const DialogUnits units(font);
    const int top = dlg.GetMenu() ? dlg.GetMenu()->height() : 0;
    EXPECT_EQ(dlg.size(), QSize(units.X(t.cx), units.Y(t.cy) + top));

    std::vector<QWidget*> tabStops;
    for (const ControlTemplate& c : t.controls) {
        if (c.id == IDC_STATIC)
            continue;
        SCOPED_TRACE(c.id);
        QWidget* w = test::Control(dlg, c.id);
        ASSERT_NE(w, nullptr);
        const QRect place = units.Rect(c.x, c.y, c.cx, c.cy).translated(0, top);
        EXPECT_EQ(w->x(), place.x());
        EXPECT_GE(w->width(), place.width());
        if (c.kind != ControlKind::CheckBox) {  // a tick box may grow taller about its middle
            EXPECT_EQ(w->y(), place.y());
        }
        if (c.kind != ControlKind::CheckBox && c.kind != ControlKind::ComboBox) {  // a combo's is its list's
            EXPECT_GE(w->height(), place.height());
        }
        if (c.style & cs::TabStop)
            tabStops.push_back(w);
    }

    // Nothing the template keeps apart overlaps on screen (a combo box counts by its closed
    // height, at most an edit's 14 units).
    std::vector<QWidget*> widgets;  // in creation order, which is template order
    for (QObject* child : dlg.children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QMenuBar*>(w))
            widgets.push_back(w);
    ASSERT_EQ(widgets.size(), t.controls.size());
    const auto closed = [](const ControlTemplate& c) {
        return QRect(c.x, c.y, c.cx, c.kind == ControlKind::ComboBox ? std::min(c.cy, 14) : c.cy);
    };
    for (size_t i = 0; i < widgets.size(); ++i) {
        for (size_t j = i + 1; j < widgets.size(); ++j) {
            if (closed(t.controls[i]).intersects(closed(t.controls[j])))
                continue;
            EXPECT_FALSE(widgets[i]->geometry().intersects(widgets[j]->geometry()))
                << "controls " << i << " and " << j << " of the template overlap";
        }
    }

    // Texts: no label or tick box is narrower than its text unless it wraps onto enough lines.
    for (QObject* child : dlg.children()) {
        if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty()) {
            SCOPED_TRACE(label->text().toStdString());
            if (label->wordWrap())
                EXPECT_GE(label->height(), label->heightForWidth(label->width()));
            else
                EXPECT_GE(label->width(), label->sizeHint().width());
        }
        if (auto* box = qobject_cast<QCheckBox*>(child)) {
            SCOPED_TRACE(box->text().toStdString());
            EXPECT_GE(box->width(), box->sizeHint().width());
        }
    }

    // The focus chain visits the tab stops in template order.
    if (!tabStops.empty()) {
        std::vector<QWidget*> chain;
        QWidget* w = tabStops.front();
        do {
            if (std::find(tabStops.begin(), tabStops.end(), w) != tabStops.end() &&
                std::find(chain.begin(), chain.end(), w) == chain.end())
                chain.push_back(w);
            w = w->nextInFocusChain();
        } while (w != tabStops.front());
        EXPECT_EQ(chain, tabStops);
    }
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, TemplateLayout,
                         ::testing::Combine(::testing::Values(IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS,
                                                              IDD_GENERATE, IDD_TRACK_PAGE, IDD_OPTIONS),
                                            ::testing::Values(7, 9, 12)),
                         [](const auto& info) {
                             return "template" + std::to_string(std::get<0>(info.param)) + "at" +
                                    std::to_string(std::get<1>(info.param)) + "pt";
                         });

}  // namespace
}  // namespace kestrune

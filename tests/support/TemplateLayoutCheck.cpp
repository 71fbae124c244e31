#include "support/TemplateLayoutCheck.h"

#include "framework/Dialog.h"
#include "framework/DialogUnits.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrune::test {

namespace {

void ExpectLaidOutAsTemplate(int templateId, int pointSize)
{
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
        QWidget* w = Control(dlg, c.id);
        ASSERT_NE(w, nullptr);
        const QRect place = units.Rect(c.x, c.y, c.cx, c.cy).translated(0, top);
        // A tick box may grow taller about its middle; a combo box's height is its list's.
        const bool tick = c.kind == ControlKind::CheckBox, combo = c.kind == ControlKind::ComboBox;
        EXPECT_TRUE(w->x() == place.x() && w->width() >= place.width() && (tick || w->y() == place.y()) &&
                    (tick || combo || w->height() >= place.height()))
            << w->x() << "," << w->y() << " " << w->width() << "x" << w->height() << " at " << place.x() << ","
            << place.y() << " " << place.width() << "x" << place.height();
        if (c.style & cs::TabStop)
            tabStops.push_back(w);
    }

    // Texts: no label or tick box is narrower than its text unless it wraps onto enough lines.
    std::vector<QWidget*> widgets;  // in creation order, which is template order
    for (QObject* child : dlg.children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QMenuBar*>(w))
            widgets.push_back(w);
        if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty()) {
            EXPECT_TRUE(label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                          : label->width() >= label->sizeHint().width())
                << label->text().toStdString();
        }
        if (auto* box = qobject_cast<QCheckBox*>(child)) {
            EXPECT_GE(box->width(), box->sizeHint().width()) << box->text().toStdString();
        }
    }
    // Nothing the template keeps apart overlaps on screen (a combo box counts by its closed
    // height, at most an edit's 14 units).
    ASSERT_EQ(widgets.size(), t.controls.size());
    const auto closed = [](const ControlTemplate& c) {
        return QRect(c.x, c.y, c.cx, c.kind == ControlKind::ComboBox ? std::min(c.cy, 14) : c.cy);
    };
    for (size_t i = 0; i < widgets.size(); ++i)
        for (size_t j = i + 1; j < widgets.size(); ++j)
            EXPECT_TRUE(closed(t.controls[i]).intersects(closed(t.controls[j])) ||
                        !widgets[i]->geometry().intersects(widgets[j]->geometry()))
                << "controls " << i << " and " << j << " of the template overlap";

    // The focus chain visits the tab stops in template order: one lap of it from the first.
    std::vector<QWidget*> chain;
    for (QWidget* w = tabStops.empty() ? nullptr : tabStops.front(); w && chain.size() < tabStops.size();
         w = w->nextInFocusChain())
        if (std::find(tabStops.begin(), tabStops.end(), w) != tabStops.end())
            chain.push_back(w);
    EXPECT_EQ(chain, tabStops);
}

}  // namespace

void ExpectLaidOutAsTemplates(std::initializer_list<int> templateIds)
{
    for (int id : templateIds) {
        for (int size : {7, 9, 12}) {
            SCOPED_TRACE("template " + std::to_string(id) + " at " + std::to_string(size) + " pt");
            ExpectLaidOutAsTemplate(id, size);
        }
    }
}

}  // namespace kestrune::test

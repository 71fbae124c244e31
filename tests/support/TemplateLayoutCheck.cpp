#include "support/TemplateLayoutCheck.h"

#include "framework/Dialog.h"
#include "framework/DialogUnits.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <vector>

namespace kestrune::test {

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

}  // namespace kestrune::test

#include "framework/TextFit.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace kestrune {

namespace {

// True when rect overlaps no other control that `before` (the control's place so far) did not
// overlap already.
bool Fits(const QRect& rect, const std::vector<QRect>& others, size_t self, const QRect& before)
{
    for (size_t j = 0; j < others.size(); ++j)
        if (j != self && others[j].intersects(rect) && !others[j].intersects(before))
            return false;
    return true;
}

// As wide as the text wants, up to the nearest control to its right on the same lines.
QRect Widened(const QRect& rect, int wanted, const std::vector<QRect>& others, size_t self, int clientWidth)
{
    int limit = clientWidth;
    for (size_t j = 0; j < others.size(); ++j)
        if (j != self && others[j].left() > rect.left() && others[j].top() <= rect.bottom() &&
            others[j].bottom() >= rect.top())
            limit = std::min(limit, others[j].left() - 2);
    QRect wider = rect;
    wider.setWidth(std::max(rect.width(), std::min(wanted, limit - rect.left())));
    return wider;
}

}  // namespace

void FitTexts(std::span<const PlacedControl> controls, int clientWidth, int menuHeight)
{
    std::vector<QRect> rects;
    for (const PlacedControl& c : controls)
        rects.push_back(c.widget->geometry());

    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlTemplate& ct = *controls[i].tmpl;
        const bool tickBox = ct.kind == ControlKind::CheckBox && !(ct.style & cs::PushLike);
        if (ct.kind != ControlKind::Label && !tickBox)
            continue;
        QWidget* w = controls[i].widget;
        const QRect before = rects[i];
        const QSize hint = w->sizeHint();
        QRect rect = before;
        if (hint.width() > rect.width())
            rect = Widened(rect, hint.width(), rects, i, clientWidth);
        if (ct.kind == ControlKind::Label && hint.width() > rect.width()) {
            // No room beside it: the text goes on as many lines as it needs, if there is room below.
            auto* label = static_cast<QLabel*>(w);
            label->setWordWrap(true);
            QRect taller = rect;
            taller.setHeight(std::max(rect.height(), label->heightForWidth(rect.width())));
            if (Fits(taller, rects, i, rect))
                rect = taller;
            else
                label->setWordWrap(false);
        }
        if (tickBox && hint.height() > rect.height()) {
            const int grow = hint.height() - rect.height();
            QRect taller = rect.adjusted(0, -(grow / 2), 0, grow - grow / 2);
            if (taller.top() >= menuHeight && Fits(taller, rects, i, before))
                rect = taller;
        }
        rects[i] = rect;
        w->setGeometry(rect);
    }
}

}  // namespace kestrune

#include "framework/ProgressCtrl.h"

#include "framework/ProgressBar.h"

#include <tuple>
#include <utility>

namespace kestrune {

namespace {
ProgressBar* Bar(QWidget* w)
{
    return static_cast<ProgressBar*>(w);
}
}  // namespace

void CProgressCtrl::SetRange32(int lower, int upper)
{
    Send([b = Bar(Widget()), lower, upper] { b->setRange(lower, upper); });
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    std::tie(lower, upper) = Send([b = Bar(Widget())] { return std::pair(b->minimum(), b->maximum()); });
}

int CProgressCtrl::SetPos(int pos)
{
    return Send([b = Bar(Widget()), pos] {
        const int previous = b->value();
        b->setValue(pos);
        return previous;
    });
}

int CProgressCtrl::GetPos() const
{
    return Send([b = Bar(Widget())] { return b->value(); });
}

bool CProgressCtrl::Accepts(const QWidget* control) const
{
    return qobject_cast<const ProgressBar*>(control) != nullptr;
}

}  // namespace kestrune

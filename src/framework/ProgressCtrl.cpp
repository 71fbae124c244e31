#include "framework/ProgressCtrl.h"

#include "framework/ProgressBar.h"

#include <tuple>

namespace kestrune {

namespace {
ProgressBar* Bar(QWidget* w)
{
    return static_cast<ProgressBar*>(w);
}
}  // namespace

// The bar answers any thread itself (see ProgressBar): no call waits for the window thread.
void CProgressCtrl::SetRange32(int lower, int upper)
{
    Bar(Widget())->SetRange(lower, upper);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    std::tie(lower, upper) = Bar(Widget())->Range();
}

int CProgressCtrl::SetPos(int pos)
{
    return Bar(Widget())->SetValue(pos);
}

int CProgressCtrl::GetPos() const
{
    return Bar(Widget())->Value();
}

bool CProgressCtrl::Accepts(const QWidget* control) const
{
    return qobject_cast<const ProgressBar*>(control) != nullptr;
}

}  // namespace kestrune

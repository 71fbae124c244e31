#pragma once

#include "framework/Wnd.h"

namespace kestrune {

// Handle on a progress bar (ProgressBar). Every call may come from any thread and takes effect
// before it returns, without a round trip to the window thread; painting follows there.
class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    // Sets the position, clamped into the range; returns the previous position.
    int SetPos(int pos);
    int GetPos() const;

protected:
    bool Accepts(const QWidget* control) const override;
};

}  // namespace kestrune

#pragma once

namespace kestrune {

// The wait cursor over every window of the program for the life of the object: for work that holds
// the window thread (a list fill, selecting every entry), so that the user sees the window is busy.
// Window thread only; nests.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace kestrune

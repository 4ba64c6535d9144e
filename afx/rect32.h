// A rectangle as four plain ints, for arithmetic that includes no Windows
// header (RECT's LONG is 32 bits on Windows, not everywhere).
#pragma once

namespace afx {

struct Rect32 {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Any rectangle with the four edges (RECT, CRect).
template <class R> Rect32 ToRect32(const R& r)
{
    Rect32 out;
    out.left = static_cast<int>(r.left);
    out.top = static_cast<int>(r.top);
    out.right = static_cast<int>(r.right);
    out.bottom = static_cast<int>(r.bottom);
    return out;
}

}  // namespace afx

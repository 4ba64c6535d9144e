// Pixels as the screen or a device context shows them, for the tests that
// compare what is drawn.
#pragma once
#include <windows.h>

#include <vector>

namespace e2e {

// A rectangle of pixels, row by row.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The pixels of `width` x `height` at `origin` in `source`.
Picture CopyPixels(HDC source, POINT origin, int width, int height);
// What the screen shows of the client area of `window`.
Picture Screenshot(HWND window);

}  // namespace e2e

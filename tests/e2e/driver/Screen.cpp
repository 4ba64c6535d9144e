#include "tests/e2e/driver/Screen.h"

#include "afx/Gdi.h"

namespace e2e {

Picture CopyPixels(HDC source, POINT origin, int width, int height)
{
    Picture picture;
    if (width <= 0 || height <= 0)
        return picture;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP copy = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, source, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        const DWORD pixel = static_cast<const DWORD*>(bits)[i];
        picture.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    return picture;
}

Picture Screenshot(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return CopyPixels(CScreenDC(), origin, client.right, client.bottom);
}

}  // namespace e2e

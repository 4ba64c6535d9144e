#include "tests/e2e/manual/ScreenPicture.h"

#include "tests/e2e/driver/Process.h"

#include <fstream>
#include <vector>

namespace e2e {

bool SaveScreenPicture(const RECT& rect, const std::string& path)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as BMP files keep them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, NULL, 0);
    bool copied = false;
    if (memory && picture) {
        HGDIOBJ old = SelectObject(memory, picture);
        copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    bool written = false;
    if (copied) {
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + header.biSizeImage;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(static_cast<const char*>(bits), header.biSizeImage);
        written = static_cast<bool>(out);
    }
    if (picture)
        DeleteObject(picture);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return written;
}

std::string PictureDirectory()
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUELLIX_PICTURES", value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return ".\\";
    std::string dir = WindowsPath(value);
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

}  // namespace e2e

// InProcessProbe.dll: loaded into the program under test by the test driver
// (driver/Probe.h) to read what Wine does not let another process read:
// menus, fonts and icons are objects of the process that made them there.
//
// The driver starts a thread at Probe() with a request "COMMAND ARGUMENT\nFILE";
// Probe writes its answer, one fact per line, to FILE. Commands:
//   sysmenu HWND   the window's system menu: "separator" or "item ID GRAYED CHECKED TEXT"
//   menu HMENU     the same for any menu of the process
//   font HWND      the window's font (WM_GETFONT): "HEIGHT WEIGHT FACE", or "none"
//   icon HWND      the icon of an SS_ICON static: "information", "question",
//                  "exclamation", "error", "other" or "none"
//   cursor ID      the cursor now shown: "resource" when it is the program's
//                  cursor resource ID (hexadecimal), else "other" or "none"
// The thread's exit code is 0 when the request was understood.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static void WriteMenu(FILE* out, HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info))
            break;
        if (info.fType & MFT_SEPARATOR)
            fprintf(out, "separator\n");
        else
            fprintf(out, "item %u %d %d %s\n", info.wID, (info.fState & MFS_GRAYED) ? 1 : 0,
                    (info.fState & MFS_CHECKED) ? 1 : 0, text);
    }
}

static void WriteFont(FILE* out, HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof description, &description))
        fprintf(out, "none\n");
    else
        fprintf(out, "%ld %ld %s\n", description.lfHeight, description.lfWeight, description.lfFaceName);
}

static void WriteIcon(FILE* out, HWND window)
{
    HICON shown = reinterpret_cast<HICON>(SendMessageA(window, STM_GETICON, 0, 0));
    const struct {
        LPCSTR resource;
        const char* name;
    } known[] = {{IDI_ASTERISK, "information"},
                 {IDI_QUESTION, "question"},
                 {IDI_EXCLAMATION, "exclamation"},
                 {IDI_HAND, "error"}};
    const char* name = shown ? "other" : "none";
    for (const auto& k : known)
        if (shown && LoadIconA(NULL, k.resource) == shown)
            name = k.name;
    fprintf(out, "%s\n", name);
}

static void WriteCursor(FILE* out, ULONG_PTR resource)
{
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    const HCURSOR own = LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(resource));
    if (!GetCursorInfo(&info) || !info.hCursor)
        fprintf(out, "none\n");
    else
        fprintf(out, "%s\n", own && info.hCursor == own ? "resource" : "other");
}

extern "C" __declspec(dllexport) DWORD WINAPI Probe(LPVOID parameter)
{
    const char* request = static_cast<const char*>(parameter);
    const char* newline = strchr(request, '\n');
    if (!newline)
        return 1;
    char command[64] = {};
    unsigned long handle = 0;
    if (sscanf(request, "%63s %lx", command, &handle) != 2)
        return 1;
    FILE* out = fopen(newline + 1, "w");
    if (!out)
        return 2;
    DWORD result = 0;
    if (strcmp(command, "sysmenu") == 0)
        WriteMenu(out, GetSystemMenu(reinterpret_cast<HWND>(handle), FALSE));
    else if (strcmp(command, "menu") == 0)
        WriteMenu(out, reinterpret_cast<HMENU>(handle));
    else if (strcmp(command, "font") == 0)
        WriteFont(out, reinterpret_cast<HWND>(handle));
    else if (strcmp(command, "icon") == 0)
        WriteIcon(out, reinterpret_cast<HWND>(handle));
    else if (strcmp(command, "cursor") == 0)
        WriteCursor(out, handle);
    else
        result = 3;
    fclose(out);
    return result;
}

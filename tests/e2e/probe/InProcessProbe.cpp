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
//   iconimage HWND the picture of an SS_ICON static: "WIDTH HEIGHT alpha|opaque"
//   windowicon HWND  the same of the window's small icon (WM_GETICON
//                  ICON_SMALL: title bar and notification area)
//   cursor ID      the cursor now shown: "resource" when it is the program's
//                  cursor resource ID (hexadecimal), else "other" or "none"
//   menuextra HMENU  per item: "item ID DEFAULT CHECKMARK", DEFAULT 1 for the
//                  default item, CHECKMARK the size ("16x16") of the bitmap shown
//                  as both check marks, or "none"
//   drawntext HWND what the program last drew with DrawTextA into the window:
//                  "font FACE HEIGHT", then the text's lines; nothing before the
//                  first request, which starts the recording (HWND 0: only that)
//   gdiobjects 0   the process's GDI objects, stock objects left out: "COUNT",
//                  then "TYPE:COUNT ..." by the table's type numbers (hexadecimal)
//   allocations 0  memory the program holds from the C library's malloc,
//                  counted from the first request on: "BYTES BLOCKS", the
//                  net change since then (the first answer is "0 0")
//   dpichangeN HWND  sends the window WM_DPICHANGED for N dots per inch, with
//                  its own rectangle as the one suggested, as a move to a
//                  monitor of that resolution would
//   highcontrast 1 from now on the program's SPI_GETHIGHCONTRAST reports high
//                  contrast on, which Wine 8 cannot switch on itself
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

// "<width> <height> alpha|opaque" of the icon a static control shows: alpha
// when its picture has an alpha channel (an image drawn in 32 bits), opaque
// when it has none (a 16- or 256-colour image, or one stretched from it).
static void WriteIconImage(FILE* out, HICON shown)
{
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (!shown || !GetIconInfo(shown, &info) || !info.hbmColor || !GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        fprintf(out, "none\n");
    } else {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = bitmap.bmWidth;
        format.bmiHeader.biHeight = -bitmap.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        const size_t count = static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight;
        DWORD* pixels = static_cast<DWORD*>(calloc(count, sizeof(DWORD)));
        HDC dc = GetDC(NULL);
        const int rows = pixels ? GetDIBits(dc, info.hbmColor, 0, bitmap.bmHeight, pixels, &format, DIB_RGB_COLORS) : 0;
        ReleaseDC(NULL, dc);
        bool alpha = false;
        for (size_t i = 0; rows > 0 && i < count; ++i)
            alpha = alpha || (pixels[i] >> 24) != 0;
        free(pixels);
        fprintf(out, "%ld %ld %s\n", bitmap.bmWidth, bitmap.bmHeight, alpha ? "alpha" : "opaque");
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
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

static void WriteMenuExtras(FILE* out, HMENU menu)
{
    const UINT defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_CHECKMARKS;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        BITMAP mark = {};
        if (info.hbmpChecked && info.hbmpChecked == info.hbmpUnchecked &&
            GetObjectA(info.hbmpChecked, sizeof mark, &mark))
            fprintf(out, "item %u %d %ldx%ld\n", info.wID, info.wID == defaultItem ? 1 : 0, mark.bmWidth,
                    mark.bmHeight);
        else
            fprintf(out, "item %u %d none\n", info.wID, info.wID == defaultItem ? 1 : 0);
    }
}

// Points every call of the program's module to `function` of `dll` at
// `replacement` (its import table entries); the function's address, or
// nullptr when the program does not import it.
static void* RedirectImport(const char* dll, const char* function, void* replacement)
{
    HMODULE library = GetModuleHandleA(dll);
    auto* target = library ? reinterpret_cast<void*>(GetProcAddress(library, function)) : nullptr;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!target || !imports.VirtualAddress)
        return nullptr;
    bool found = false;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
         ++module) {
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); slot->u1.Function; ++slot) {
            if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(target))
                continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            found = true;
        }
    }
    return found ? target : nullptr;
}

// Texts the program draws with DrawTextA, recorded per window: the call in the
// program's import table is redirected here once the first request comes.
namespace drawn {
struct Record {
    HWND window;
    char font[LF_FACESIZE + 16];
    char text[512];
};
CRITICAL_SECTION lock;
Record records[32];
int used = 0;
int(WINAPI* realDrawTextA)(HDC, LPCSTR, int, LPRECT, UINT) = nullptr;

int WINAPI RecordingDrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    if (!(format & DT_CALCRECT) && text) {
        LOGFONTA font = {};
        GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
        const HWND window = WindowFromDC(dc);
        EnterCriticalSection(&lock);
        Record* slot = nullptr;
        for (int i = 0; i < used && !slot; ++i)
            if (records[i].window == window)
                slot = &records[i];
        if (!slot)
            slot = &records[used < 32 ? used++ : (reinterpret_cast<ULONG_PTR>(window) >> 2) % 32];
        slot->window = window;
        snprintf(slot->font, sizeof slot->font, "%s %ld", font.lfFaceName, font.lfHeight);
        const size_t size = length < 0 ? strlen(text) : static_cast<size_t>(length);
        snprintf(slot->text, sizeof slot->text, "%.*s", static_cast<int>(size), text);
        LeaveCriticalSection(&lock);
    }
    return realDrawTextA(dc, text, length, rect, format);
}

// Points the program's imported DrawTextA at RecordingDrawTextA; true once done.
bool StartRecording()
{
    if (realDrawTextA)
        return true;
    InitializeCriticalSection(&lock);
    realDrawTextA = reinterpret_cast<decltype(realDrawTextA)>(
        RedirectImport("user32.dll", "DrawTextA", reinterpret_cast<void*>(&RecordingDrawTextA)));
    return realDrawTextA != nullptr;
}
}  // namespace drawn

static DWORD WriteDrawnText(FILE* out, HWND window)
{
    if (!drawn::realDrawTextA)
        return drawn::StartRecording() ? 0 : 4;
    EnterCriticalSection(&drawn::lock);
    for (int i = 0; i < drawn::used; ++i)
        if (window && drawn::records[i].window == window)
            fprintf(out, "font %s\n%s\n", drawn::records[i].font, drawn::records[i].text);
    LeaveCriticalSection(&drawn::lock);
    return 0;
}

// The GDI handle table the process environment block points to (the layout
// Windows and Wine share): 24-byte entries, a non-zero type for a live object.
static void WriteGdiObjectCount(FILE* out)
{
#pragma pack(push, 1)
    struct Entry {
        ULONGLONG object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        ULONGLONG user;
    };
#pragma pack(pop)
    struct BasicInformation {
        LONG exitStatus;
        const BYTE* peb;
        ULONG_PTR rest[4];
    } basic = {};
    typedef LONG(WINAPI * QueryProcess)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(GetCurrentProcess(), 0, &basic, sizeof basic, NULL) != 0 || !basic.peb) {
        fprintf(out, "-1\n");
        return;
    }
#ifdef _WIN64
    const size_t tableOffset = 0xF8;
#else
    const size_t tableOffset = 0x94;
#endif
    const Entry* table = *reinterpret_cast<const Entry* const*>(basic.peb + tableOffset);
    const USHORT stockFlag = 0x80;
    long count = 0, byType[256] = {};
    for (int i = 0; table && i < 0x10000; ++i) {
        if (table[i].type && !(table[i].unique & stockFlag)) {
            ++count;
            ++byType[table[i].type];
        }
    }
    fprintf(out, "%ld\n", table ? count : -1L);
    for (int type = 0; type < 256; ++type)
        if (byType[type])
            fprintf(out, "%x:%ld ", type, byType[type]);
    fprintf(out, "\n");
}

// The program's malloc, calloc, realloc and free, counted: the blocks and
// bytes it holds, as changed since the counting started.
namespace allocations {
volatile LONG blocks = 0, bytes = 0;
bool counting = false;
size_t(__cdecl* sizeOf)(void*) = nullptr;
void*(__cdecl* realMalloc)(size_t) = nullptr;
void*(__cdecl* realCalloc)(size_t, size_t) = nullptr;
void*(__cdecl* realRealloc)(void*, size_t) = nullptr;
void(__cdecl* realFree)(void*) = nullptr;

void Count(LONG blockChange, LONG byteChange)
{
    InterlockedExchangeAdd(&blocks, blockChange);
    InterlockedExchangeAdd(&bytes, byteChange);
}

void* __cdecl CountingMalloc(size_t size)
{
    void* block = realMalloc(size);
    if (block)
        Count(1, static_cast<LONG>(sizeOf(block)));
    return block;
}

void* __cdecl CountingCalloc(size_t count, size_t size)
{
    void* block = realCalloc(count, size);
    if (block)
        Count(1, static_cast<LONG>(sizeOf(block)));
    return block;
}

void* __cdecl CountingRealloc(void* old, size_t size)
{
    const LONG before = old ? static_cast<LONG>(sizeOf(old)) : 0;
    void* block = realRealloc(old, size);
    if (block)
        Count(old ? 0 : 1, static_cast<LONG>(sizeOf(block)) - before);
    else if (old && size == 0)
        Count(-1, -before);
    return block;
}

void __cdecl CountingFree(void* block)
{
    if (block)
        Count(-1, -static_cast<LONG>(sizeOf(block)));
    realFree(block);
}

bool Start()
{
    if (counting)
        return true;
    HMODULE crt = GetModuleHandleA("msvcrt.dll");
    sizeOf = crt ? reinterpret_cast<decltype(sizeOf)>(reinterpret_cast<void*>(GetProcAddress(crt, "_msize"))) : nullptr;
    if (!sizeOf)
        return false;
    // Each original is known before any call can reach its replacement.
    realMalloc = reinterpret_cast<decltype(realMalloc)>(reinterpret_cast<void*>(GetProcAddress(crt, "malloc")));
    realCalloc = reinterpret_cast<decltype(realCalloc)>(reinterpret_cast<void*>(GetProcAddress(crt, "calloc")));
    realRealloc = reinterpret_cast<decltype(realRealloc)>(reinterpret_cast<void*>(GetProcAddress(crt, "realloc")));
    realFree = reinterpret_cast<decltype(realFree)>(reinterpret_cast<void*>(GetProcAddress(crt, "free")));
    RedirectImport("msvcrt.dll", "malloc", reinterpret_cast<void*>(&CountingMalloc));
    RedirectImport("msvcrt.dll", "calloc", reinterpret_cast<void*>(&CountingCalloc));
    RedirectImport("msvcrt.dll", "realloc", reinterpret_cast<void*>(&CountingRealloc));
    RedirectImport("msvcrt.dll", "free", reinterpret_cast<void*>(&CountingFree));
    counting = true;
    return true;
}
}  // namespace allocations

static DWORD WriteAllocations(FILE* out)
{
    if (!allocations::Start())
        return 4;
    fprintf(out, "%ld %ld\n", static_cast<long>(allocations::bytes), static_cast<long>(allocations::blocks));
    return 0;
}

// High contrast as the program sees it. Wine 8 cannot switch the setting on
// (SPI_SETHIGHCONTRAST fails with ERROR_INVALID_SPI_VALUE, and
// SPI_GETHIGHCONTRAST always reads it off), so the program's imported
// SystemParametersInfoA answers that one question here; the colours stay the
// system's own.
namespace contrast {
BOOL(WINAPI* realSystemParametersInfoA)(UINT, UINT, PVOID, UINT) = nullptr;

BOOL WINAPI HighContrastSystemParametersInfoA(UINT action, UINT param, PVOID data, UINT update)
{
    if (action != SPI_GETHIGHCONTRAST)
        return realSystemParametersInfoA(action, param, data, update);
    auto* setting = static_cast<HIGHCONTRASTA*>(data);
    if (!setting || setting->cbSize != sizeof *setting) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    setting->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    setting->lpszDefaultScheme = NULL;
    return TRUE;
}

bool TurnOn()
{
    if (!realSystemParametersInfoA)
        realSystemParametersInfoA = reinterpret_cast<decltype(realSystemParametersInfoA)>(RedirectImport(
            "user32.dll", "SystemParametersInfoA", reinterpret_cast<void*>(&HighContrastSystemParametersInfoA)));
    return realSystemParametersInfoA != nullptr;
}
}  // namespace contrast

// Sent from this thread of the program's own process, so that the rectangle
// the message points to is one the window can read.
static void SendDpiChange(HWND window, WORD dpi)
{
    RECT suggested = {};
    GetWindowRect(window, &suggested);
    SendMessageA(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

extern "C" __declspec(dllexport) DWORD WINAPI Probe(LPVOID parameter)
{
    const char* request = static_cast<const char*>(parameter);
    const char* newline = strchr(request, '\n');
    if (!newline)
        return 1;
    char command[64] = {};
    unsigned long long value = 0;
    if (sscanf(request, "%63s %llx", command, &value) != 2)
        return 1;
    const ULONG_PTR handle = static_cast<ULONG_PTR>(value);
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
    else if (strcmp(command, "iconimage") == 0)
        WriteIconImage(out, reinterpret_cast<HICON>(SendMessageA(reinterpret_cast<HWND>(handle), STM_GETICON, 0, 0)));
    else if (strcmp(command, "windowicon") == 0)
        WriteIconImage(
            out, reinterpret_cast<HICON>(SendMessageA(reinterpret_cast<HWND>(handle), WM_GETICON, ICON_SMALL, 0)));
    else if (strcmp(command, "cursor") == 0)
        WriteCursor(out, handle);
    else if (strcmp(command, "menuextra") == 0)
        WriteMenuExtras(out, reinterpret_cast<HMENU>(handle));
    else if (strcmp(command, "drawntext") == 0)
        result = WriteDrawnText(out, reinterpret_cast<HWND>(handle));
    else if (strcmp(command, "gdiobjects") == 0)
        WriteGdiObjectCount(out);
    else if (strcmp(command, "allocations") == 0)
        result = WriteAllocations(out);
    else if (strncmp(command, "dpichange", 9) == 0 && atoi(command + 9) > 0)
        SendDpiChange(reinterpret_cast<HWND>(handle), static_cast<WORD>(atoi(command + 9)));
    else if (strcmp(command, "highcontrast") == 0 && handle == 1)
        result = contrast::TurnOn() ? 0 : 4;
    else
        result = 3;
    fclose(out);
    return result;
}

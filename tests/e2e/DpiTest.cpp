// The dialogs and popups at the display's resolution. tools/run-e2e.sh --dpi N
// runs these in a prefix whose LogPixels is N (120, 144, 192); at 96 DPI they
// hold for today's layout.
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/Probe.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace e2e {
namespace {

using namespace quellix;

// The resolution the prefix was set to (Wine reads it from here at start-up).
int PrefixDpi()
{
    DWORD dpi = 0, size = sizeof dpi, type = 0;
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, "LogPixels", NULL, &type, reinterpret_cast<BYTE*>(&dpi), &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            dpi = 0;
        RegCloseKey(key);
    }
    return dpi ? static_cast<int>(dpi) : 96;
}

int Scaled(int pixels) { return MulDiv(pixels, PrefixDpi(), 96); }

// The dialog's horizontal base unit, from a control `dlu` dialog units wide.
int BaseUnitX(const Dialog& dialog, int id, int dlu)
{
    RECT rect = {};
    GetWindowRect(dialog.Item(id).Handle(), &rect);
    return ((rect.right - rect.left) * 4 + dlu / 2) / dlu;
}

// Tahoma at the prefix's DPI, but never wider than the dialog's layout grew:
// 13 pixels for a base unit of 6 (the template's font at 96 DPI). Under Wine
// the template's bitmap font stops growing at 144 DPI.
std::string ControlFont(int baseUnitX)
{
    const int layout = (13 * baseUnitX + 5) / 6;
    return "Tahoma " + std::to_string(layout < Scaled(13) ? layout : Scaled(13));
}

// The popups have no layout of their own: their font follows the DPI.
std::string PopupFont() { return "Tahoma " + std::to_string(Scaled(13)); }

RECT ClientRectOf(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

// The rectangle of a control in its dialog's client coordinates.
RECT ItemRect(HWND dialog, HWND item)
{
    RECT rect = {};
    GetWindowRect(item, &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The dialog's first static control showing a picture of `type`: the banner
// (SS_BITMAP) or the program's icon (SS_ICON).
HWND PictureStatic(HWND dialog, LONG type)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Window(child).ClassName() == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == type)
            return child;
    return NULL;
}

std::string WithoutAccelerator(std::string text)
{
    for (size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at))
        text.erase(at, 1);
    return text;
}

// A memory device context with `font` ("Face height", as Dialog::ItemFont
// names it) selected, for measuring text.
class FontDC {
public:
    explicit FontDC(const std::string& font)
    {
        LOGFONTA lf = {};
        const size_t space = font.rfind(' ');
        lstrcpynA(lf.lfFaceName, font.substr(0, space).c_str(), LF_FACESIZE);
        lf.lfHeight = atoi(font.substr(space + 1).c_str());
        m_font = CreateFontIndirectA(&lf);
        m_dc = CreateCompatibleDC(NULL);
        m_old = SelectObject(m_dc, m_font);
    }
    ~FontDC()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_font);
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HFONT m_font;
    HDC m_dc;
    HGDIOBJ m_old;
};

SIZE TextExtent(const std::string& font, const std::string& text)
{
    SIZE size = {};
    GetTextExtentPoint32A(FontDC(font), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Every control of `dialog` lies inside its client area (the banner may
// reach one pixel past it, as its picture is one pixel wider than the dialog
// at 96 DPI), and the one-line texts in the control font fit their controls:
// check boxes and radio buttons with room for their box.
void ExpectNothingClipped(const Dialog& dialog, const char* name)
{
    const RECT client = ClientRectOf(dialog.Handle());
    const HWND banner = PictureStatic(dialog.Handle(), SS_BITMAP);
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const int id = GetDlgCtrlID(child);
        const RECT r = ItemRect(dialog.Handle(), child);
        const int slack = child == banner ? 1 : 0;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right + slack && r.bottom <= client.bottom)
            << name << ": control " << id << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
            << " leaves the client area 0,0-" << client.right << "," << client.bottom;

        const std::string font = dialog.ItemFont(id);
        const std::string text = WithoutAccelerator(Window(child).Text());
        const std::string cls = Window(child).ClassName();
        const LONG style = Window(child).Style();
        if (font.rfind("Tahoma", 0) != 0 || text.empty() || id == 0xFFFF)
            continue;
        const SIZE extent = TextExtent(font, text);
        int room = r.right - r.left;
        if (cls == "Button") {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX || type == BS_RADIOBUTTON)
                room -= Scaled(13) + Scaled(3);  // the box and the gap after it
            if (type == BS_GROUPBOX)
                room -= 2 * Scaled(8);
        }
        if (cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT && extent.cx > room) {
            // A wrapping label: its lines must fit its height.
            RECT measure = {0, 0, room, 0};
            const int height = DrawTextA(FontDC(font), text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK);
            EXPECT_LE(height, r.bottom - r.top) << name << ": the text of control " << id << " is cut off";
            continue;
        }
        EXPECT_LE(extent.cx, room) << name << ": the text \"" << text << "\" of control " << id << " is cut off";
    }
}

Dialog OpenAboutBox(const Dialog& main, DWORD pid)
{
    main.Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
    return Dialog(WaitForMessageBox(pid, "About Quellix").Handle());
}

class Dpi : public TrayFixture {
protected:
    // Runs `check(dialog, name)` on the main dialog, then on the About box.
    template <typename Check> void InBothDialogs(Check check)
    {
        Dialog dialog = StartFirstCopy();
        ASSERT_TRUE(dialog);
        check(dialog, "main dialog");
        Dialog box = OpenAboutBox(dialog, FirstCopy().Id());
        ASSERT_TRUE(box) << "no About box";
        check(box, "About box");
        box.Post(WM_COMMAND, IDCANCEL);
    }
};

TEST_F(Dpi, ControlFontFollowsTheResolutionInBothDialogs)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const int baseUnitX = BaseUnitX(dialog, id::Ok, 52);
    for (int control : {id::ActionGroup, id::Action, id::Description, id::Now, id::Minutes, id::Ok, id::Confirm})
        EXPECT_EQ(ControlFont(baseUnitX), dialog.ItemFont(control)) << "control " << control;

    Dialog box = OpenAboutBox(dialog, FirstCopy().Id());
    ASSERT_TRUE(box) << "no About box";
    for (int control : {IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDOK})
        EXPECT_EQ(ControlFont(BaseUnitX(box, IDOK, 50)), box.ItemFont(control)) << "About box control " << control;
    box.Post(WM_COMMAND, IDCANCEL);
}

TEST_F(Dpi, BannerSpansTheDialogsWidth)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const HWND banner = PictureStatic(dialog.Handle(), SS_BITMAP);
    ASSERT_TRUE(banner) << "no banner";
    const RECT client = ClientRectOf(dialog.Handle()), rect = ItemRect(dialog.Handle(), banner);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    // At 96 DPI the picture is drawn one pixel wider than the dialog; scaled,
    // it is made exactly as wide.
    if (PrefixDpi() == 96)
        EXPECT_EQ(client.right + 1, rect.right);
    else
        EXPECT_EQ(client.right, rect.right);
    // Its proportions kept: 411 x 77 at 96 DPI.
    EXPECT_NEAR(77.0 * (rect.right - rect.left) / 411.0, rect.bottom - rect.top, 1.0);
}

TEST_F(Dpi, NothingIsCutOffInEitherDialog) { InBothDialogs(ExpectNothingClipped); }

// The program's icon in either dialog: at 96 DPI the 32-pixel picture in 256
// colours, at any other resolution a picture drawn for its size, not the
// 32-pixel one stretched.
TEST_F(Dpi, DialogIconIsDrawnForTheResolutionInBothDialogs)
{
    InBothDialogs([&](const Dialog& owner, const char* name) {
        const HWND icon = PictureStatic(owner.Handle(), SS_ICON);
        ASSERT_TRUE(icon) << name << ": no icon";
        const std::vector<std::string> answer =
            AskProbe(owner.ProcessId(), "iconimage", reinterpret_cast<ULONG_PTR>(icon));
        const std::string size = std::to_string(Scaled(32));
        EXPECT_EQ(size + " " + size + (PrefixDpi() == 96 ? " opaque" : " alpha"), answer.empty() ? "" : answer[0])
            << name;
        const RECT r = ItemRect(owner.Handle(), icon);
        EXPECT_EQ(Scaled(32), r.right - r.left) << name << ": the control is not as wide as its icon";
    });
}

// The title bar's icon, which the notification area shows too: a picture
// with alpha drawn for the size of small icons at the resolution (16 pixels
// at 96 DPI, 24 at 144), not the 16-pixel one stretched.
TEST_F(Dpi, SmallIconIsDrawnForTheResolution)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const std::vector<std::string> answer =
        AskProbe(dialog.ProcessId(), "windowicon", reinterpret_cast<ULONG_PTR>(dialog.Handle()));
    const std::string size = std::to_string(Scaled(16));
    EXPECT_EQ(size + " " + size + " alpha", answer.empty() ? "" : answer[0]);

    // Moved to a monitor of twice the resolution, and back.
    const ULONG_PTR window = reinterpret_cast<ULONG_PTR>(dialog.Handle());
    AskProbe(dialog.ProcessId(), "dpichange" + std::to_string(2 * PrefixDpi()), window);
    const std::string twice = std::to_string(2 * Scaled(16));
    const std::vector<std::string> moved = AskProbe(dialog.ProcessId(), "windowicon", window);
    EXPECT_EQ(twice + " " + twice + " alpha", moved.empty() ? "" : moved[0]) << "after a move to " << 2 * PrefixDpi();
    AskProbe(dialog.ProcessId(), "dpichange" + std::to_string(PrefixDpi()), window);
    const std::vector<std::string> back = AskProbe(dialog.ProcessId(), "windowicon", window);
    EXPECT_EQ(size + " " + size + " alpha", back.empty() ? "" : back[0]) << "after the move back";
}

// The stop notice is 150 x 50 pixels and stands 10 pixels from the work
// area's right end at 96 DPI; all of it scales.
TEST_F(Dpi, PopupIsSizedAndPlacedByTheResolution)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size()) << "hiding the idle dialog showed no notice";
    const Popup& popup = shown[0];
    ASSERT_TRUE(WaitForHeight(popup, Scaled(50), 1500)) << "height " << popup.Height();
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(Scaled(150), popup.Width());
    EXPECT_EQ(area.right - Scaled(10), popup.Rect().right);
    const DrawnText drawn = DrawnTextOf(popup);
    EXPECT_EQ(PopupFont(), drawn.font);
}

}  // namespace
}  // namespace e2e

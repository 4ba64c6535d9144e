// The popup reminders: where they rise, how big, in which colours and with
// which text, how long they stay, that they leave the keyboard and the mouse
// to the user, and that a screen reader hears of them.
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/HighContrast.h"
#include "tests/e2e/driver/Screen.h"

#include <algorithm>

namespace e2e {
namespace {

using namespace quellix;

using Popups = TrayFixture;

constexpr COLORREF kBlueFirst = 0xE89675, kBlueLast = 0xE18662;
constexpr COLORREF kRedFirst = 0xA1B1F3, kRedLast = 0x3759E3;
constexpr COLORREF kWhite = 0xFFFFFF;
// Sampled a few pixels in from an end, the gradient has moved that far
// towards its middle colour.
constexpr int kEndTolerance = 24, kMiddleTolerance = 8;

// Colours near both ends and in the middle of a fully risen popup.
void ExpectGradient(const Popup& popup, COLORREF first, COLORREF last)
{
    const int width = popup.Width();
    COLORREF right = 0, middle = 0, left = 0;
    // The last step's paint may still be on its way.
    WaitUntil(
        [&] {
            right = popup.GradientPixel(5);
            middle = popup.GradientPixel(width / 2);
            left = popup.GradientPixel(width - 6);
            return ColorNear(right, first, kEndTolerance) && ColorNear(middle, kWhite, kMiddleTolerance) &&
                   ColorNear(left, last, kEndTolerance);
        },
        1000, 20);
    EXPECT_TRUE(ColorNear(right, first, kEndTolerance))
        << "at the right end " << ColorText(right) << ", expected about " << ColorText(first);
    EXPECT_TRUE(ColorNear(middle, kWhite, kMiddleTolerance)) << "in the middle " << ColorText(middle);
    EXPECT_TRUE(ColorNear(left, last, kEndTolerance))
        << "at the left end " << ColorText(left) << ", expected about " << ColorText(last);
}

// The stop notice of an idle dialog hidden to the tray: a caption-less tool
// window rising from the work area's bottom at its right end, blue, with the
// stop text in Tahoma; it sinks away about 4.2 s after it was launched.
TEST_F(Popups, StopNoticeRisesAtTheRightOfTheWorkAreaInBlueForFourSeconds)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    const DWORD launched = GetTickCount();
    ASSERT_EQ(1u, shown.size()) << "hiding the idle dialog showed no notice";
    const Popup& popup = shown[0];

    const LONG exStyle = popup.ExStyle(), style = popup.Style();
    EXPECT_EQ(static_cast<LONG>(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE),
              exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_APPWINDOW))
        << std::hex << "extended style 0x" << exStyle;
    EXPECT_TRUE(style & WS_POPUP) << std::hex << "style 0x" << style;
    EXPECT_FALSE(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) << std::hex << "style 0x" << style;
    EXPECT_EQ(NULL, GetWindow(popup.Handle(), GW_OWNER));
    EXPECT_EQ("Quellix\ntimer stopped.", popup.Text()) << "the reminder is not the window's text";

    // Rising: it grows from the bottom to its full height.
    const int firstHeight = popup.Height();
    EXPECT_LT(firstHeight, 50) << "the notice showed at full height at once";
    ASSERT_TRUE(WaitForHeight(popup, 50, 1500)) << "height " << popup.Height();
    const RECT area = WorkArea(), rect = popup.Rect();
    EXPECT_EQ(area.right - 10, rect.right);
    EXPECT_EQ(area.bottom - 1, rect.bottom);
    EXPECT_EQ(150, popup.Width());

    ExpectGradient(popup, kBlueFirst, kBlueLast);
    const DrawnText drawn = DrawnTextOf(popup);
    EXPECT_EQ("Quellix\ntimer stopped.", drawn.text);
    EXPECT_EQ("Tahoma 13", drawn.font);

    // Still there at 3.5 s; gone, having sunk, about 4.2 s after the launch
    // (its 20 ms steps count the time, and they lag on a loaded machine).
    Sleep(3500 - std::min<DWORD>(3500, GetTickCount() - launched));
    EXPECT_TRUE(IsWindow(popup.Handle()) && popup.Height() == 50) << "the notice left early";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(popup.Handle()); }, 4000)) << "the notice stayed";
    const DWORD lifetime = GetTickCount() - launched;
    EXPECT_GE(lifetime, 4000u);
    EXPECT_LE(lifetime, 6500u);
}

// Alert events seen by a WinEvent hook, as a screen reader gets them.
std::vector<std::pair<HWND, LONG>> g_alerts;
void CALLBACK RecordAlert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    g_alerts.push_back({window, object});
}

// A popup raises one alert event as it appears, for its client area, whose
// name is its window text.
TEST_F(Popups, RaiseAnAlertEventAsTheyAppear)
{
    ASSERT_TRUE(StartRecordedCopy());
    g_alerts.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, NULL, RecordAlert,
                                         m_dialog.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook) << "cannot hook alert events: " << LastErrorText();
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size()) << "hiding the idle dialog showed no notice";
    // The events come as messages to this thread; a wrongly repeated one has time to follow.
    PumpFor(1000, [] {});
    UnhookWinEvent(hook);
    EXPECT_EQ((std::vector<std::pair<HWND, LONG>>{{shown[0].Handle(), OBJID_CLIENT}}), g_alerts);
    EXPECT_EQ("Quellix\ntimer stopped.", shown[0].Text());
}

// Under high contrast a popup is drawn in the system's tooltip colours, its
// text too, instead of its gradient.
TEST_F(Popups, UnderHighContrastTakeTheSystemsTooltipColours)
{
    HighContrast contrast;
    ASSERT_TRUE(StartRecordedCopy());
    contrast.TurnOnFor(m_dialog.ProcessId());
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size()) << "hiding the idle dialog showed no notice";
    ASSERT_TRUE(WaitForHeight(shown[0], 50, 1500));
    const COLORREF back = GetSysColor(COLOR_INFOBK), text = GetSysColor(COLOR_INFOTEXT);
    const int width = shown[0].Width();
    for (int fromRight : {5, width / 2, width - 6}) {
        COLORREF pixel = 0;
        EXPECT_TRUE(WaitUntil([&] { return (pixel = shown[0].GradientPixel(fromRight)) == back; }, 1000))
            << fromRight << " pixels from the right " << ColorText(pixel) << ", not the system's " << ColorText(back);
    }
    const Picture picture = Screenshot(shown[0].Handle());
    EXPECT_GT(std::count(picture.pixels.begin(), picture.pixels.end(), text), 10)
        << "the text is not in the system's " << ColorText(text);
}

// Each notice open meanwhile moves the next one 10 pixels left; once all have
// gone, the next stands at the right again.
TEST_F(Popups, NoticesOpenMeanwhileMoveTheNextTenPixelsLeft)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(m_dialog.Minimize());
    ASSERT_EQ(1u, WaitForPopups(m_dialog.ProcessId(), 1).size());
    PostIconMouse(WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitForDialogBack());
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> two = WaitForPopups(m_dialog.ProcessId(), 2);
    ASSERT_EQ(2u, two.size()) << "restore and minimise again within 4 s: not two notices";
    const RECT area = WorkArea();
    EXPECT_EQ(area.right - 10, two[0].Rect().right);
    EXPECT_EQ(area.right - 20, two[1].Rect().right);
    EXPECT_EQ(area.bottom - 1, two[1].Rect().bottom);
    EXPECT_TRUE(WaitForHeight(two[1], 50));
    EXPECT_EQ(150, two[1].Width());

    ASSERT_TRUE(WaitUntil([&] { return ExistingPopups(m_dialog.ProcessId()).empty(); }, 6000));
    PostIconMouse(WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitForDialogBack());
    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> again = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, again.size());
    EXPECT_EQ(area.right - 10, again[0].Rect().right) << "the place of closed notices was not given back";
}

// An action and the phrase the warning uses for it.
struct WarnedAction {
    const char* name;
    int code;
    std::string phrase;
};

class WarningPopup : public TrayFixture, public ::testing::WithParamInterface<WarnedAction> {};

// A countdown of 31 s passes 30 s at its first tick: the red warning, as wide
// as the action's phrase asks (120 + 2.5 per character), with the remaining
// time; a stop meanwhile adds the blue notice beside it.
TEST_P(WarningPopup, AtThirtySecondsIsRedAndSizedForTheAction)
{
    ASSERT_TRUE(StartRecordedCopy());
    const WarnedAction& action = GetParam();
    const int position = PositionOfCode(m_dialog, action.code);
    ASSERT_NE(-1, position) << "no " << action.name << " in the list";
    m_dialog.SelectComboItem(id::Action, position);
    StartCountdownAt(m_dialog, 31);
    // When it comes is the countdown's test; here it only has to come.
    const std::vector<Popup> warning = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, warning.size()) << "no warning";
    EXPECT_TRUE(m_dialog.Visible()) << "the warning is not for a dialog in the tray only";

    ASSERT_TRUE(WaitForHeight(warning[0], 65)) << "height " << warning[0].Height();
    EXPECT_EQ(120 + static_cast<int>(action.phrase.size() * 5 / 2), warning[0].Width());
    const RECT area = WorkArea();
    EXPECT_EQ(area.right - 10, warning[0].Rect().right);
    EXPECT_EQ(area.bottom - 1, warning[0].Rect().bottom);
    ExpectGradient(warning[0], kRedFirst, kRedLast);
    const DrawnText drawn = DrawnTextOf(warning[0]);
    const std::string expected = "Warning!\nQuellix\n will " + action.phrase + "\n after ";
    EXPECT_TRUE(drawn.text == expected + "30 sec." || drawn.text == expected + "29 sec.") << "\"" << drawn.text << "\"";
    EXPECT_EQ("Tahoma 13", drawn.font);
    EXPECT_EQ(drawn.text, warning[0].Text()) << "the window's text is not the warning shown";

    m_dialog.Click(id::Cancel);
    const std::vector<Popup> both = WaitForPopups(m_dialog.ProcessId(), 2);
    ASSERT_EQ(2u, both.size()) << "stopping showed no notice";
    EXPECT_EQ(warning[0].Handle(), both[0].Handle());
    EXPECT_EQ(area.right - 20, both[1].Rect().right);
    EXPECT_TRUE(WaitForHeight(both[1], 50));
    EXPECT_EQ(150, both[1].Width());
    ExpectGradient(both[1], kBlueFirst, kBlueLast);
}

INSTANTIATE_TEST_SUITE_P(Actions, WarningPopup,
                         ::testing::Values(WarnedAction{"TurnOffPower", 2, "turn off the computer power"},
                                           WarnedAction{"ShutDown", 3, "shut down the computer"},
                                           WarnedAction{"Lock", 7, "lock the computer"},
                                           WarnedAction{"LogOff", 1, "log off " + LogonName()}),
                         [](const ::testing::TestParamInfo<WarnedAction>& info) { return info.param.name; });

// Whoever has the keyboard keeps it while a popup rises and stays, in another
// program or in this one; a click on a popup does nothing to it or to that.
TEST_F(Popups, NeverTakeTheKeyboardAndIgnoreTheMouse)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAt(m_dialog, 32);
    ASSERT_TRUE(m_dialog.Minimize());
    ASSERT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); }));

    // The user types into another program when the warning comes.
    HWND front =
        CreateWindowExA(0, "STATIC", "typing here", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, NULL, NULL, NULL, NULL);
    HWND field =
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, front, NULL, NULL, NULL);
    ASSERT_TRUE(front && field);
    SetForegroundWindow(front);
    SetFocus(field);
    bool typing = false;
    PumpFor(300, [&] { typing = GetForegroundWindow() == front && GetFocus() == field; });
    ASSERT_TRUE(typing) << "this program's field did not get the keyboard";

    std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size()) << "no warning";
    int stolen = 0;
    PumpFor(600, [&] { stolen += GetForegroundWindow() != front || GetFocus() != field; });
    EXPECT_EQ(0, stolen) << "while the warning rose the other program lost the front or its field the keyboard";

    // A real click on the warning.
    const RECT before = shown[0].Rect();
    MouseClickAt({(before.left + before.right) / 2, (before.top + before.bottom) / 2});
    PumpFor(300, [] {});
    EXPECT_EQ(front, GetForegroundWindow()) << "the click brought another window to the front";
    EXPECT_EQ(field, GetFocus()) << "the click took the keyboard";
    EXPECT_TRUE(IsWindow(shown[0].Handle()) && shown[0].Visible()) << "the click closed the warning";
    const RECT after = shown[0].Rect();
    EXPECT_TRUE(EqualRect(&before, &after)) << "the click moved the warning";
    EXPECT_FALSE(m_dialog.Visible()) << "the click brought the dialog back";
    DestroyWindow(front);

    // Back in the dialog, with the keyboard on Cancel: the stop notice leaves it there.
    PostIconMouse(WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitForDialogBack()) << "visible " << m_dialog.Visible() << ", minimised " << m_dialog.Minimized()
                                     << ", in front " << m_dialog.Foreground();
    m_dialog.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_dialog.Item(id::Cancel).Handle()), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return m_dialog.HasFocus(id::Cancel); }));
    m_dialog.Click(id::Cancel);
    ASSERT_EQ(2u, WaitForPopups(m_dialog.ProcessId(), 2).size()) << "stopping showed no notice";
    int lostFront = 0, lostFocus = 0;
    HWND focus = NULL;
    PumpFor(600, [&] {
        lostFront += !m_dialog.Foreground();
        focus = m_dialog.FocusInThread();
        lostFocus += focus != m_dialog.Item(id::Cancel).Handle();
    });
    EXPECT_EQ(0, lostFront) << "while the notice rose the dialog was not always in front";
    EXPECT_EQ(0, lostFocus) << "while the notice rose Cancel lost the keyboard, to " << Window(focus).ClassName() << " "
                            << GetDlgCtrlID(focus);
}

}  // namespace
}  // namespace e2e

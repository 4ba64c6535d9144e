// The About box: how it opens (system menu, tray menu command), what it shows,
// how it ends, and its mail link, which starts the mail program registered
// under HKCR\mailto\shell\open\command with "mailto:" and the address in
// place of "%1", as the shell itself starts it. The tests register
// MailRecorder.exe (tests/e2e/mailrec) there, which writes down the command
// line it was given.
#include "tests/e2e/QuellixTest.h"

#include "tests/e2e/driver/HighContrast.h"
#include "tests/e2e/driver/Probe.h"
#include "tests/e2e/driver/Screen.h"
#include "tests/e2e/driver/Tray.h"

#include <optional>
#include <set>

namespace e2e {
namespace {

using namespace quellix;

// Controls and commands of the About box.
constexpr char kCaption[] = "About Quellix";
constexpr int kIcon = 0xFFFF;
constexpr int kVersion = IDC_ABOUT_VERSION;
constexpr int kCopyright = IDC_ABOUT_COPYRIGHT;
constexpr int kLink = IDC_MAIL_LINK;
constexpr UINT kSystemMenuAbout = IDM_ABOUTBOX;
constexpr ULONG_PTR kHandCursor = IDC_HAND_LINK;

constexpr char kAddress[] = "dev@qx.test";
constexpr char kMailtoUrl[] = "mailto:dev@qx.test";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPurple = RGB(128, 0, 128);

constexpr char kMailCommandKey[] = "mailto\\shell\\open\\command";
constexpr char kRecordVariable[] = "QUELLIX_MAIL_RECORD";
constexpr char kRecorderExe[] = "MailRecorder.exe";
constexpr char kRecorderArguments[] = " -compose to=%1 cc=%1";
constexpr size_t kLongestCommand = 1024;  // bytes of text the link reads

// How the link is to look: on the dialog's face colour, the text from the
// top-left corner in the stock variable font, and a line along the whole
// bottom row, both in `colour`.
Picture LinkAsDrawn(const std::string& text, COLORREF colour, int width, int height)
{
    HDC memory = CreateCompatibleDC(NULL);
    HDC screen = GetDC(NULL);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(NULL, screen);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    RECT rect = {0, 0, width, height};
    FillRect(memory, &rect, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(ANSI_VAR_FONT));
    SetTextColor(memory, colour);
    SetBkMode(memory, TRANSPARENT);
    DrawTextA(memory, text.c_str(), -1, &rect, DT_TABSTOP);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = SelectObject(memory, pen);
    MoveToEx(memory, 0, height - 1, NULL);
    LineTo(memory, width, height - 1);
    const Picture picture = CopyPixels(memory, POINT{0, 0}, width, height);
    SelectObject(memory, oldPen);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(pen);
    DeleteObject(canvas);
    DeleteDC(memory);
    return picture;
}

// The link on the screen compared with the link drawn in one colour.
struct LinkLook {
    COLORREF underline = CLR_INVALID;  // of the whole bottom row; CLR_INVALID: not one colour
    COLORREF text = CLR_INVALID;       // of every other pixel not in the face colour; CLR_INVALID: none or several
    int pixelsOff = -1;                // pixels unlike LinkAsDrawn in the expected colour
    std::string art;                   // the screen picture, '#' where it is not the face colour
};

LinkLook LookAt(const Window& link, COLORREF expected)
{
    LinkLook look;
    const Picture shown = Screenshot(link.Handle());
    if (shown.height < 2)
        return look;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int bottom = shown.height - 1;
    look.underline = shown.At(0, bottom);
    std::set<COLORREF> colours;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const COLORREF pixel = shown.At(x, y);
            if (y == bottom && pixel != look.underline)
                look.underline = CLR_INVALID;
            if (y < bottom && pixel != face)
                colours.insert(pixel);
            look.art += pixel == face ? '.' : '#';
        }
        look.art += '\n';
    }
    if (colours.size() == 1)
        look.text = *colours.begin();
    const Picture drawn = LinkAsDrawn(link.Text(), expected, shown.width, shown.height);
    look.pixelsOff = 0;
    for (size_t i = 0; i < shown.pixels.size(); ++i)
        look.pixelsOff += shown.pixels[i] != drawn.pixels[i];
    return look;
}

// Whether the link shows a focus rectangle: dots down its right edge, above
// the underline, where the shorter address never reaches.
bool ShowsFocusRectangle(const Window& link)
{
    const Picture shown = Screenshot(link.Handle());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int dots = 0;
    for (int y = 0; y + 1 < shown.height; ++y)
        dots += shown.At(shown.width - 1, y) != face;
    return dots > 0;
}

std::string Describe(COLORREF colour)
{
    if (colour == CLR_INVALID)
        return "not one colour";
    char text[32];
    snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// The width of `text` in `font`, in pixels.
int TextWidth(HFONT font, const std::string& text)
{
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

int ClientWidth(const Window& window)
{
    RECT client = {};
    GetClientRect(window.Handle(), &client);
    return client.right;
}

class AboutBox : public QuellixTest {
protected:
    void SetUp() override
    {
        QuellixTest::SetUp();
        if (HasFatalFailure())
            return;
        m_savedCommand = m_mailCommand.Raw("");
        m_commandKeyExisted = m_mailCommand.Exists();
        m_commandSaved = true;

        // The recorder is copied to the temporary directory, a short path
        // without blanks wherever the build lies.
        m_recorder = TempDirectory() + kRecorderExe;
        ASSERT_TRUE(CopyFileA((OwnDirectory() + kRecorderExe).c_str(), m_recorder.c_str(), FALSE))
            << "cannot copy " << OwnDirectory() << kRecorderExe << ": " << LastErrorText();
        m_record = TempDirectory() + "quellix-mail-" + std::to_string(GetCurrentProcessId()) + ".log";
        DeleteFileA(m_record.c_str());
        // Inherited by the program, and from it by the mail program it starts.
        SetEnvironmentVariableA(kRecordVariable, m_record.c_str());
        // Wine's own entry would hand the address to the Linux desktop.
        ASSERT_TRUE(RegisterMailCommand(RecorderCommand()));
    }

    void TearDown() override
    {
        QuellixTest::TearDown();
        if (m_commandSaved)
            RestoreMailCommand();
        SetEnvironmentVariableA(kRecordVariable, NULL);
        if (!m_record.empty())
            DeleteFileA(m_record.c_str());
    }

    // Puts back the mail command as it was before the test.
    void RestoreMailCommand() const
    {
        if (!m_commandKeyExisted) {
            m_mailCommand.Delete();
            return;
        }
        HKEY key = NULL;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kMailCommandKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) !=
            ERROR_SUCCESS)
            return;
        if (m_savedCommand)
            RegSetValueExA(key, NULL, 0, m_savedCommand->first, m_savedCommand->second.data(),
                           static_cast<DWORD>(m_savedCommand->second.size()));
        else
            RegDeleteValueA(key, NULL);
        RegCloseKey(key);
    }

    std::string RecorderCommand() const { return "\"" + m_recorder + "\"" + kRecorderArguments; }

    bool RegisterMailCommand(const std::string& command) const
    {
        const bool done = m_mailCommand.SetString("", command);
        EXPECT_TRUE(done) << "cannot write HKCR\\" << kMailCommandKey;
        return done;
    }

    // What MailRecorder.exe was started with, one entry per start: its
    // command line without the program (quoted or not) and the blank after it.
    std::vector<std::string> MailProgramStarts() const
    {
        std::vector<std::string> starts;
        for (const std::string& line : ReadRequestLog(m_record)) {
            const bool quoted = line[0] == '"';
            const size_t end = quoted ? line.find('"', 1) : line.find(' ');
            const std::string program = quoted ? line.substr(1, end - 1) : line.substr(0, end);
            EXPECT_EQ(0, _stricmp(program.c_str(), m_recorder.c_str())) << "another program started: " << line;
            size_t rest = end == std::string::npos ? line.size() : end + (quoted ? 1 : 0);
            if (rest < line.size() && line[rest] == ' ')
                ++rest;
            starts.push_back(line.substr(rest));
        }
        return starts;
    }

    std::string RegisteredCommand() const
    {
        const auto value = m_mailCommand.Raw("");
        return value ? std::string(value->second.begin(), value->second.end()).c_str() : "(none)";
    }

    // The first line of the in-process probe's answer.
    static std::string AskProbeOnce(const Window& window, const std::string& command, ULONG_PTR argument)
    {
        const std::vector<std::string> answer = AskProbe(window.ProcessId(), command, argument);
        return answer.empty() ? "" : answer.front();
    }

    Dialog WaitForAboutBox()
    {
        Dialog box(WaitForMessageBox(FirstCopy().Id(), kCaption).Handle());
        if (!box)
            ADD_FAILURE() << "no \"" << kCaption << "\" box";
        return box;
    }

    // As a user does it: Alt+Space opens the system menu, Up goes round to
    // its last entry, Enter chooses it.
    Dialog OpenFromSystemMenu(const Dialog& main)
    {
        SetForegroundWindow(main.Handle());
        EXPECT_TRUE(WaitUntil([&] { return main.Foreground(); }, 2000)) << "the dialog did not come to the front";
        SendKeys({{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}});
        EXPECT_TRUE(WaitForPopupMenu(main.ProcessId())) << "Alt+Space did not open the system menu";
        SendKeys({{VK_UP, true}, {VK_UP, false}, {VK_RETURN, true}, {VK_RETURN, false}});
        return WaitForAboutBox();
    }

    Dialog OpenFromTrayMenu(const Dialog& main)
    {
        main.Post(WM_COMMAND, command::About);
        return WaitForAboutBox();
    }

    Dialog OpenWithSystemCommand(const Dialog& main)
    {
        main.Post(WM_SYSCOMMAND, kSystemMenuAbout);
        return WaitForAboutBox();
    }

    // The link once it shows as drawn in `colour` (or when waiting is over).
    LinkLook WaitForLink(const Dialog& box, COLORREF colour) const
    {
        LinkLook look;
        WaitUntil([&] {
            look = LookAt(box.Item(kLink), colour);
            return look.pixelsOff == 0;
        });
        return look;
    }

    // The link after every pending paint has been done.
    LinkLook SettledLink(const Dialog& box, COLORREF colour) const
    {
        RedrawWindow(box.Item(kLink).Handle(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Sleep(100);
        return LookAt(box.Item(kLink), colour);
    }

    static void ExpectLink(const LinkLook& look, COLORREF colour, const std::string& when)
    {
        EXPECT_EQ(Describe(colour), Describe(look.text)) << "text colour " << when;
        EXPECT_EQ(Describe(colour), Describe(look.underline)) << "underline colour " << when;
        EXPECT_EQ(0, look.pixelsOff) << when << ": the link is not the address in the stock variable font over "
                                     << "an underline as wide as the control; on the screen:\n"
                                     << look.art;
    }

    // A left click as the system delivers it, handled before this returns.
    static void SendLeftClick(const Window& control)
    {
        control.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        control.Send(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    // The box ends; the program runs on, its dialog shown (or hidden) as before and enabled again.
    void ExpectEndsLeavingTheMainDialog(const Dialog& box, const Dialog& main, const char* how, bool shown = true)
    {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << how << " did not end the About box";
        EXPECT_TRUE(FirstCopy().Running()) << how << " ended the program";
        EXPECT_TRUE(WaitUntil([&] { return main.Enabled(); })) << "the main dialog stayed disabled after " << how;
        Sleep(shown ? 0 : 200);
        EXPECT_EQ(shown, main.Visible()) << "after " << how;
    }

    RegistryKey m_mailCommand{kMailCommandKey, HKEY_CLASSES_ROOT};
    std::string m_recorder;
    std::string m_record;

private:
    std::optional<std::pair<DWORD, std::vector<BYTE>>> m_savedCommand;
    bool m_commandKeyExisted = false;
    bool m_commandSaved = false;
};

TEST_F(AboutBox, OpensFromTheSystemMenuWithIconTextsFontsAndTheWholeAddressInBlue)
{
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);
    Dialog box = OpenFromSystemMenu(main);
    ASSERT_TRUE(box);
    EXPECT_FALSE(main.Enabled()) << "the About box is not modal to the main dialog";

    EXPECT_EQ("other", AskProbeOnce(box, "icon", reinterpret_cast<ULONG_PTR>(box.Item(kIcon).Handle())))
        << "the program's icon does not show";
    EXPECT_EQ(std::string("Quellix v") + QX_PROGRAM_VERSION, box.ItemText(kVersion));
    EXPECT_EQ("Copyright (C) 2026 The Quellix developers", box.ItemText(kCopyright));
    EXPECT_EQ(kAddress, box.ItemText(kLink));
    EXPECT_EQ("OK", box.ItemText(IDOK));
    EXPECT_TRUE(box.Item(kLink).Style() & SS_NOTIFY) << "without SS_NOTIFY the link gets no clicks";
    for (int control : {kVersion, kCopyright, IDOK, kLink})
        EXPECT_EQ("Tahoma 13", box.ItemFont(control)) << "control " << control;
    EXPECT_TRUE(WaitUntil([&] { return box.HasFocus(IDOK); }, 2000)) << "the focus is not on OK";

    // Nothing is cut off: the labels in their font, the link in the stock
    // variable font it always paints with.
    LOGFONTA tahoma = {};
    tahoma.lfHeight = 13;
    lstrcpynA(tahoma.lfFaceName, "Tahoma", LF_FACESIZE);
    HFONT labelFont = CreateFontIndirectA(&tahoma);
    for (int control : {kVersion, kCopyright})
        EXPECT_LE(TextWidth(labelFont, box.ItemText(control)), ClientWidth(box.Item(control)))
            << "the text of control " << control << " is cut off";
    DeleteObject(labelFont);
    const int linkTextWidth = TextWidth(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)), box.ItemText(kLink));
    EXPECT_LE(linkTextWidth, ClientWidth(box.Item(kLink))) << "the address is cut off";

    // Blue text, and a blue underline along the control's whole bottom row,
    // under the short text too.
    ExpectLink(WaitForLink(box, kBlue), kBlue, "before a click");

    box.PressKey(VK_RETURN);
    ExpectEndsLeavingTheMainDialog(box, main, "Enter");
    EXPECT_EQ(std::vector<std::string>{}, MailProgramStarts());
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "the About box stored settings";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

TEST_F(AboutBox, ALeftClickStartsTheMailProgramWithTheAddressAndTurnsTheLinkPurple)
{
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);
    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    ExpectLink(WaitForLink(box, kBlue), kBlue, "before a click");

    box.MouseClick(kLink);
    const std::string expected = std::string("-compose to=") + kMailtoUrl + " cc=" + kMailtoUrl;
    EXPECT_TRUE(WaitUntil([&] { return !MailProgramStarts().empty(); })) << "no mail program started";
    EXPECT_EQ(std::vector<std::string>{expected}, MailProgramStarts());
    EXPECT_EQ("resource", AskProbeOnce(box, "cursor", kHandCursor)) << "the mouse over the link does not show the hand";

    ExpectLink(WaitForLink(box, kPurple), kPurple, "after the click");
    EXPECT_TRUE(IsWindow(box.Handle())) << "the click ended the About box";
    EXPECT_EQ(RecorderCommand(), RegisteredCommand()) << "the click changed the registered command";

    // Clicking again starts it again; the link stays purple.
    SendLeftClick(box.Item(kLink));
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 2; }));
    EXPECT_EQ((std::vector<std::string>{expected, expected}), MailProgramStarts());
    ExpectLink(SettledLink(box, kPurple), kPurple, "after a second click");
}

TEST_F(AboutBox, EnterEscapeAndTheCloseBoxEachEndItAndEveryOpeningStartsBlue)
{
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);

    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    SendLeftClick(box.Item(kLink));
    ExpectLink(WaitForLink(box, kPurple), kPurple, "after a click");
    box.PressKey(VK_RETURN);
    ExpectEndsLeavingTheMainDialog(box, main, "Enter");

    // From the tray menu, with the dialog hidden: a new box, blue again; the
    // dialog stays hidden after it.
    ASSERT_TRUE(main.Hide());
    box = OpenFromTrayMenu(main);
    ASSERT_TRUE(box);
    ExpectLink(WaitForLink(box, kBlue), kBlue, "in the box opened from the tray menu");
    SendLeftClick(box.Item(kLink));
    WaitForLink(box, kPurple);
    box.PressKey(VK_ESCAPE);
    ExpectEndsLeavingTheMainDialog(box, main, "Escape", false);
    main.Post(WM_COMMAND, command::Restore);
    ASSERT_TRUE(WaitUntil([&] { return main.Visible(); })) << "the tray menu's Restore did not bring the dialog back";

    // The close box, clicked with the mouse.
    box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    ExpectLink(WaitForLink(box, kBlue), kBlue, "in the third box");
    RECT frame = {};
    GetWindowRect(box.Handle(), &frame);
    const int border = GetSystemMetrics(SM_CXDLGFRAME);
    const POINT closeBox = {frame.right - border - GetSystemMetrics(SM_CXSIZE) / 2,
                            frame.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_EQ(HTCLOSE, box.Send(WM_NCHITTEST, 0, MAKELPARAM(closeBox.x, closeBox.y)))
        << "no close box at " << closeBox.x << "," << closeBox.y;
    SetForegroundWindow(box.Handle());
    EXPECT_TRUE(WaitUntil([&] { return box.Foreground(); }, 2000));
    MouseClickAt(closeBox);
    ExpectEndsLeavingTheMainDialog(box, main, "the close box");

    EXPECT_EQ(2u, MailProgramStarts().size());
    EXPECT_TRUE(main.IsEnabled(id::Ok)) << "the main dialog's state changed";
    EXPECT_TRUE(main.IsChecked(id::Now));
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames());
}

// Tab goes from OK to the link and on; while it has the keyboard it shows a
// focus rectangle, and Enter and Space each start the mail program as a
// click does, without ending the box.
TEST_F(AboutBox, TabReachesTheLinkWhereEnterAndSpaceWorkAsAClick)
{
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);
    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    ASSERT_TRUE(WaitUntil([&] { return box.HasFocus(IDOK); }, 2000)) << "the focus is not on OK";
    ExpectLink(WaitForLink(box, kBlue), kBlue, "while OK has the focus");

    box.PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return box.HasFocus(kLink); })) << "Tab did not reach the link";
    EXPECT_TRUE(WaitUntil([&] { return ShowsFocusRectangle(box.Item(kLink)); })) << "no focus rectangle";

    const std::string expected = std::string("-compose to=") + kMailtoUrl + " cc=" + kMailtoUrl;
    box.PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 1; })) << "Enter started no mail program";
    box.PressKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 2; })) << "Space started no mail program";
    Sleep(300);  // time for a wrongly started third one to write as well
    EXPECT_EQ((std::vector<std::string>{expected, expected}), MailProgramStarts());
    EXPECT_TRUE(IsWindow(box.Handle())) << "Enter on the link ended the About box";
    EXPECT_TRUE(box.HasFocus(kLink));

    // On to OK: the rectangle goes and leaves the visited link as drawn.
    box.PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return box.HasFocus(IDOK); })) << "Tab did not go on from the link";
    ExpectLink(SettledLink(box, kPurple), kPurple, "after the focus went on");
    box.PressKey(VK_RETURN);
    ExpectEndsLeavingTheMainDialog(box, main, "Enter on OK");
}

// Under high contrast the link is drawn in the system's link colour, visited
// or not; before it, in its own blue, whatever the system's colours.
TEST_F(AboutBox, UnderHighContrastTheLinkTakesTheSystemsLinkColour)
{
    HighContrast contrast;
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);
    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    ExpectLink(WaitForLink(box, kBlue), kBlue, "before high contrast");

    contrast.TurnOnFor(box.ProcessId());
    const COLORREF system = GetSysColor(COLOR_HOTLIGHT);
    ExpectLink(SettledLink(box, system), system, "under high contrast");
    SendLeftClick(box.Item(kLink));
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 1; }));
    ExpectLink(SettledLink(box, system), system, "visited, under high contrast");
}

TEST_F(AboutBox, OnlyALeftClickWithAUsableMailCommandStartsAnything)
{
    Dialog main = StartFirstCopy();
    ASSERT_TRUE(main);
    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    const Window link = box.Item(kLink);

    // Other buttons change the cursor only.
    for (auto [down, up] : {std::pair<UINT, UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP},
                            {WM_MBUTTONDOWN, WM_MBUTTONUP},
                            {WM_RBUTTONDBLCLK, WM_RBUTTONUP}}) {
        link.Send(down, 0, MAKELPARAM(2, 2));
        link.Send(up, 0, MAKELPARAM(2, 2));
    }
    ExpectLink(SettledLink(box, kBlue), kBlue, "after right and middle clicks");

    // No mail program registered: the click creates the key, empty.
    ASSERT_TRUE(m_mailCommand.Delete());
    ASSERT_FALSE(m_mailCommand.Exists());
    SendLeftClick(link);
    EXPECT_TRUE(m_mailCommand.Exists()) << "the click did not create the mail command key";
    EXPECT_EQ(std::vector<std::string>{}, m_mailCommand.ValueNames()) << "the created key is not empty";
    EXPECT_FALSE(m_mailCommand.Raw("")) << "the created key has a command";
    ExpectLink(WaitForLink(box, kPurple), kPurple, "after a click without a mail program");

    // Commands that cannot be split into a quoted program and its parameters,
    // or that are longer than the link reads: nothing starts. (The first would
    // start the recorder if its first character were simply dropped.)
    const std::string quoted = "\"" + m_recorder + "\"";
    const std::string tooLong = quoted + kRecorderArguments;
    for (const std::string& unusable :
         {"X" + m_recorder + "\"" + kRecorderArguments, m_recorder + kRecorderArguments,
          "\"" + m_recorder + kRecorderArguments, tooLong + std::string(kLongestCommand + 1 - tooLong.size(), ' ')}) {
        ASSERT_TRUE(RegisterMailCommand(unusable));
        SendLeftClick(link);
    }

    // A usable command afterwards starts exactly one mail program.
    ASSERT_TRUE(RegisterMailCommand(quoted + " %1"));
    SendLeftClick(link);
    EXPECT_TRUE(WaitUntil([&] { return !MailProgramStarts().empty(); })) << "the usable command started nothing";
    Sleep(300);  // time for a wrongly started one to write as well
    EXPECT_EQ(std::vector<std::string>{kMailtoUrl}, MailProgramStarts());
    EXPECT_TRUE(IsWindow(box.Handle()));
}

// Mail programs registered by installers: long command lines, and paths made
// of environment variables in a value of type REG_EXPAND_SZ.
TEST_F(AboutBox, LongAndExpandableMailCommandsStartTheMailProgram)
{
    constexpr char kDirectoryVariable[] = "QUELLIX_MAIL_DIRECTORY";
    SetEnvironmentVariableA(kDirectoryVariable, TempDirectory().c_str());  // inherited by the program
    Dialog main = StartFirstCopy();
    SetEnvironmentVariableA(kDirectoryVariable, NULL);
    ASSERT_TRUE(main);
    Dialog box = OpenWithSystemCommand(main);
    ASSERT_TRUE(box);
    const Window link = box.Item(kLink);

    // Exactly as long as the link reads.
    std::string longCommand = RecorderCommand() + " -subject=";
    ASSERT_LT(longCommand.size(), kLongestCommand);
    const std::string subject(kLongestCommand - longCommand.size(), 's');
    longCommand += subject;
    ASSERT_TRUE(RegisterMailCommand(longCommand));
    SendLeftClick(link);
    const std::string expected = std::string("-compose to=") + kMailtoUrl + " cc=" + kMailtoUrl;
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 1; })) << "a long command started nothing";

    // Expanded whole, the program's path and its parameters.
    const std::string expandable = std::string("\"%") + kDirectoryVariable + "%" + kRecorderExe +
                                   "\" -compose %1 -profile=%" + kDirectoryVariable + "%profile";
    ASSERT_TRUE(m_mailCommand.SetString("", expandable, REG_EXPAND_SZ));
    SendLeftClick(link);
    EXPECT_TRUE(WaitUntil([&] { return MailProgramStarts().size() == 2; })) << "an expandable command started nothing";
    Sleep(300);  // time for a wrongly started one to write as well
    EXPECT_EQ(
        (std::vector<std::string>{expected + " -subject=" + subject,
                                  std::string("-compose ") + kMailtoUrl + " -profile=" + TempDirectory() + "profile"}),
        MailProgramStarts());
}

}  // namespace
}  // namespace e2e

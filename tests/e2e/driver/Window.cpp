#include "tests/e2e/driver/Window.h"

#include "tests/e2e/driver/Probe.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Wait.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

std::string Window::ClassName() const
{
    char name[256] = {};
    GetClassNameA(m_hwnd, name, sizeof name);
    return name;
}

std::string Window::Text() const
{
    // WM_GETTEXT is carried across processes by the system; GetWindowText
    // would not ask a control of another process for its text. The text may
    // change between the two messages (a countdown's text grows by a digit):
    // a text that fills the buffer is read again with a larger one.
    LRESULT length = Send(WM_GETTEXTLENGTH);
    for (int attempt = 0;; ++attempt) {
        std::string text(static_cast<size_t>(length) + 2, '\0');
        const LRESULT copied = Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
        if (copied < length + 1 || attempt == 3) {
            text.resize(static_cast<size_t>(copied));
            return text;
        }
        length = Send(WM_GETTEXTLENGTH) + 16;
    }
}

DWORD Window::ProcessId() const
{
    DWORD pid = 0;
    GetWindowThreadProcessId(m_hwnd, &pid);
    return pid;
}

HWND Window::FocusInThread() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(ThreadId(), &info) ? info.hwndFocus : NULL;
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(m_hwnd, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result)) {
        const DWORD error = GetLastError();
        ADD_FAILURE() << "window " << m_hwnd << " (" << ClassName() << ", id " << GetDlgCtrlID(m_hwnd)
                      << "): message 0x" << std::hex << message << std::dec
                      << (error == ERROR_TIMEOUT ? " not answered within " + std::to_string(timeoutMs) + " ms"
                                                 : " failed: " + LastErrorText(error));
        return 0;
    }
    return static_cast<LRESULT>(result);
}

void Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!PostMessageA(m_hwnd, message, wParam, lParam))
        ADD_FAILURE() << "PostMessage(0x" << std::hex << message << std::dec << ") failed: " << LastErrorText();
}

bool Window::Minimize() const
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        Post(WM_SYSCOMMAND, SC_MINIMIZE);
        if (WaitUntil([&] { return Minimized() || !Visible(); }, 500))
            return true;
    }
    return false;
}

bool Window::Hide() const
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        ShowWindow(m_hwnd, SW_HIDE);
        if (WaitUntil([&] { return !Visible(); }, 500)) {
            Sleep(300);
            if (!Visible())
                return true;
        }
    }
    return false;
}

bool Dialog::IsChecked(int id) const { return Item(id).Send(BM_GETCHECK) == BST_CHECKED; }

void Dialog::Click(int id) const { Item(id).Send(BM_CLICK); }

void Dialog::ClickAsync(int id) const { Item(id).Post(BM_CLICK); }

void Dialog::MouseClick(int id) const
{
    SetForegroundWindow(m_hwnd);
    WaitUntil([&] { return Foreground(); }, 1000);
    RECT rect = {};
    GetWindowRect(GetDlgItem(m_hwnd, id), &rect);
    MouseClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

static INPUT MouseInput(POINT point, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    return input;
}

void MoveMouseTo(POINT point)
{
    INPUT move = MouseInput(point, 0);
    SendInput(1, &move, sizeof move);
    if (!WaitUntil(
            [&] {
                POINT now = {};
                return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
            },
            2000))
        ADD_FAILURE() << "the mouse pointer did not get to " << point.x << "," << point.y;
}

void MouseClickAt(POINT point, bool rightButton)
{
    MoveMouseTo(point);
    Sleep(50);
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    INPUT click[2] = {MouseInput(point, down), MouseInput(point, up)};
    if (SendInput(2, click, sizeof(INPUT)) != 2)
        ADD_FAILURE() << "SendInput failed: " << LastErrorText();
}

void Dialog::SetItemText(int id, const std::string& text) const
{
    Item(id).Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Dialog::TypeText(int id, const std::string& text) const
{
    Window control = Item(id);
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control.Handle()), TRUE);
    control.Send(EM_SETSEL, 0, -1);
    // Sent, not posted: each character is handled (or refused by the
    // control's filter) before the next one, and all before this returns.
    for (char c : text)
        control.Send(WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::vector<std::string> Dialog::ComboItems(int id) const
{
    Window combo = Item(id);
    std::vector<std::string> items;
    const LRESULT count = combo.Send(CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = combo.Send(CB_GETLBTEXTLEN, i);
        if (length < 0)
            break;
        // CB_GETLBTEXT is carried across processes like WM_GETTEXT, but Wine
        // carries the ANSI form wrongly: ask for the Unicode text.
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(combo.Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_NORMAL, 5000,
                                 &copied))
            ADD_FAILURE() << "CB_GETLBTEXT " << i << " of control " << id << " failed: " << LastErrorText();
        wide.resize(wcslen(wide.c_str()));
        std::string text(wide.size() * 2 + 1, '\0');
        text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                            &text[0], static_cast<int>(text.size()), NULL, NULL)));
        items.push_back(text);
    }
    return items;
}

int Dialog::ComboSelection(int id) const { return static_cast<int>(Item(id).Send(CB_GETCURSEL)); }

void Dialog::SelectComboItem(int id, int position) const
{
    Window combo = Item(id);
    combo.Send(CB_SETCURSEL, position);
    Send(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.Handle()));
}

SYSTEMTIME Dialog::PickerTime(int id) const
{
    SYSTEMTIME time = {};
    RemoteBuffer remote(ProcessId(), sizeof time);
    const LRESULT result = Item(id).Send(DTM_GETSYSTEMTIME, 0, remote.Address());
    EXPECT_EQ(GDT_VALID, result) << "the date-time picker " << id << " holds no valid time";
    remote.Read(&time, sizeof time);
    return time;
}

void Dialog::SetPickerTime(int id, const SYSTEMTIME& time) const
{
    RemoteBuffer remote(ProcessId(), sizeof time);
    remote.Write(&time, sizeof time);
    EXPECT_TRUE(Item(id).Send(DTM_SETSYSTEMTIME, GDT_VALID, remote.Address()));
}

std::pair<int, int> Dialog::UpDownRange(int id) const
{
    int range[2] = {};
    RemoteBuffer remote(ProcessId(), sizeof range);
    Item(id).Send(UDM_GETRANGE32, remote.Address(), remote.Address() + sizeof(int));
    remote.Read(range, sizeof range);
    return {range[0], range[1]};
}

std::string Dialog::ItemFont(int id) const
{
    // Font handles mean something only inside the control's own process.
    const std::vector<std::string> answer =
        AskProbe(ProcessId(), "font", reinterpret_cast<ULONG_PTR>(GetDlgItem(m_hwnd, id)));
    if (answer.empty() || answer.front() == "none")
        return "none";
    long height = 0, weight = 0;
    char face[LF_FACESIZE] = {};
    sscanf(answer.front().c_str(), "%ld %ld %31[^\n]", &height, &weight, face);
    return std::string(face) + " " + std::to_string(height);
}

int Dialog::ProgressPosition(int id) const { return static_cast<int>(Item(id).Send(PBM_GETPOS)); }

bool Window::PostKeyStroke(WORD virtualKey) const
{
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    return PostIfThere(WM_KEYDOWN, virtualKey, 1 | (scan << 16)) &&
           PostIfThere(WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

Window FindTopLevel(DWORD pid, const WindowMatch& match)
{
    for (HWND handle : TopLevelWindows(pid)) {
        const Window window(handle);
        if (match(window))
            return window;
    }
    return Window();
}

Window WaitForTopLevel(DWORD pid, const WindowMatch& match, DWORD timeoutMs, DWORD pollMs)
{
    Window found;
    WaitUntil([&] { return static_cast<bool>(found = FindTopLevel(pid, match)); }, timeoutMs, pollMs);
    return found;
}

void Dialog::PressKey(WORD virtualKey, int id) const
{
    Window target(id ? GetDlgItem(m_hwnd, id) : FocusInThread());
    if (!target)
        target = *this;
    target.PostKeyStroke(virtualKey);
}

void Dialog::SendKey(WORD virtualKey, int id) const
{
    Window target = Item(id);
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    target.Send(WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    target.Send(WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

RemoteBuffer::RemoteBuffer(DWORD pid, size_t size) : m_size(size)
{
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process)
        m_remote = VirtualAllocEx(m_process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!m_remote)
        ADD_FAILURE() << "no memory in process " << pid << ": " << LastErrorText();
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_remote)
        VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        CloseHandle(m_process);
}

bool RemoteBuffer::Write(const void* data, size_t size) const
{
    SIZE_T written = 0;
    return m_remote && size <= m_size && WriteProcessMemory(m_process, m_remote, data, size, &written);
}

bool RemoteBuffer::Read(void* data, size_t size) const
{
    SIZE_T read = 0;
    return m_remote && size <= m_size && ReadProcessMemory(m_process, m_remote, data, size, &read);
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> input;
    for (const auto& [key, down] : keys) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        input.push_back(i);
    }
    if (SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) != input.size())
        ADD_FAILURE() << "SendInput failed: " << LastErrorText();
}

RECT WorkArea()
{
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace e2e

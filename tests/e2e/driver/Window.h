// A window of another process, operated the way a user (or the system on the
// user's behalf) does: read texts and states, click, type, pick list entries.
// Calls that wait for the other process use time-outs; nothing blocks forever.
#pragma once
#include <windows.h>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

class Window {
public:
    Window(HWND window = NULL) : m_hwnd(window) {}
    HWND Handle() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd && IsWindow(m_hwnd); }

    std::string ClassName() const;
    std::string Text() const;
    bool Visible() const { return IsWindowVisible(m_hwnd) != FALSE; }
    bool Enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    bool Minimized() const { return IsIconic(m_hwnd) != FALSE; }
    bool Foreground() const { return GetForegroundWindow() == m_hwnd; }
    LONG Style() const { return GetWindowLongA(m_hwnd, GWL_STYLE); }
    DWORD ProcessId() const;
    DWORD ThreadId() const { return GetWindowThreadProcessId(m_hwnd, NULL); }
    // The window that has the keyboard focus in this window's thread.
    HWND FocusInThread() const;

    // Sends a message and waits at most `timeoutMs` for the answer; fails the
    // running test (and returns 0) when the window does not answer in time.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, DWORD timeoutMs = 5000) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The same for a window that may be gone by now: false then, and no failure.
    bool PostIfThere(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return PostMessageA(m_hwnd, message, wParam, lParam) != FALSE;
    }
    // A key press (WM_KEYDOWN + WM_KEYUP, posted); false when the window is gone.
    bool PostKeyStroke(WORD virtualKey) const;

    Window Item(int id) const { return Window(GetDlgItem(m_hwnd, id)); }

    // The minimise box (WM_SYSCOMMAND SC_MINIMIZE). Wine drops a minimise
    // that comes while a new window is still being mapped, so it is repeated
    // until the window is minimised or hidden; false if it never was.
    bool Minimize() const;
    // Hides the window (ShowWindow SW_HIDE from outside, as another program
    // could), repeated until it stays hidden. A dialog's modal loop shows it
    // again when its queue first runs empty, so hide a program's dialog only
    // once the program has gone idle (QuellixTest::StartFirstCopy waits for
    // that). False if it never stayed hidden.
    bool Hide() const;

protected:
    HWND m_hwnd;
};

// A dialog box of another process, its controls addressed by id.
class Dialog : public Window {
public:
    using Window::Window;

    std::string ItemText(int id) const { return Item(id).Text(); }
    bool IsEnabled(int id) const { return Item(id).Enabled(); }
    bool IsVisible(int id) const { return Item(id).Visible(); }
    bool IsChecked(int id) const;
    bool HasFocus(int id) const { return FocusInThread() == GetDlgItem(m_hwnd, id); }

    // A click on a button that completes before this returns (BM_CLICK, sent).
    // For buttons whose handler opens a modal window, use ClickAsync.
    void Click(int id) const;
    // A click that does not wait for the program to handle it (BM_CLICK, posted).
    void ClickAsync(int id) const;
    // A real mouse click at the centre of the control (SendInput): the
    // dialog is brought to the foreground first. Does not wait.
    void MouseClick(int id) const;

    // Replaces the text of an edit control at once (WM_SETTEXT), bypassing
    // any input filter of the control.
    void SetItemText(int id, const std::string& text) const;
    // Types into a control: focus, select all, then one WM_CHAR per character,
    // so the control's input filter applies.
    void TypeText(int id, const std::string& text) const;

    // Combo box: the entries, the selected position, and a selection made as a
    // user makes it (the parent gets CBN_SELCHANGE).
    std::vector<std::string> ComboItems(int id) const;
    int ComboSelection(int id) const;
    void SelectComboItem(int id, int position) const;

    // Date-time picker value (DTM_GETSYSTEMTIME / DTM_SETSYSTEMTIME).
    SYSTEMTIME PickerTime(int id) const;
    void SetPickerTime(int id, const SYSTEMTIME& time) const;

    // The font of control `id` as created: "Tahoma 13" (face and height), or
    // "none" when the control uses the system font.
    std::string ItemFont(int id) const;

    // Up-down control range (minimum, maximum) and progress bar position.
    std::pair<int, int> UpDownRange(int id) const;
    int ProgressPosition(int id) const;

    // Key press (WM_KEYDOWN + WM_KEYUP, posted) to the control that has the
    // focus, or to control `id` when given. Does not wait.
    void PressKey(WORD virtualKey, int id = 0) const;
    // Key press sent straight to control `id`'s window procedure, past the
    // dialog manager; returns once the control has handled it.
    void SendKey(WORD virtualKey, int id) const;
};

// The first top-level window of process `pid` that `match` accepts, at once
// or within `timeoutMs`; empty when there is none.
using WindowMatch = std::function<bool(const Window&)>;
Window FindTopLevel(DWORD pid, const WindowMatch& match);
Window WaitForTopLevel(DWORD pid, const WindowMatch& match, DWORD timeoutMs, DWORD pollMs = 10);

// Moves the mouse pointer (a real move) to a point of the screen and waits
// until it is there.
void MoveMouseTo(POINT point);
// A real click, left or right, at a point of the screen (SendInput). The
// pointer is moved there first and the button pressed only once it has
// arrived: under Wine a late pointer event from the display can otherwise
// carry the click to where the pointer was before. Does not wait for what the
// click does.
void MouseClickAt(POINT point, bool rightButton = false);
// Real key presses (SendInput) for whichever window has the keyboard: each
// pair is a virtual key and true for down, false for up. Does not wait.
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys);

// The desktop's work area: the screen without the task bar.
RECT WorkArea();

// Memory in another process, for messages whose parameters are pointers and
// that Windows does not carry across processes (DTM_*, UDM_GETRANGE32, ...).
class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    LPARAM Address() const { return reinterpret_cast<LPARAM>(m_remote); }
    bool Write(const void* data, size_t size) const;
    bool Read(void* data, size_t size) const;

private:
    HANDLE m_process = NULL;
    void* m_remote = nullptr;
    size_t m_size = 0;
};

}  // namespace e2e

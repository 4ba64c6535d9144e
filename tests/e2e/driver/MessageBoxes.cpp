#include "tests/e2e/driver/MessageBoxes.h"

#include "tests/e2e/driver/Probe.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Wait.h"

namespace e2e {

// Control ids inside a system message box.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 0x0440;

const char* ToString(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None:
        return "no icon";
    case BoxIcon::Information:
        return "information";
    case BoxIcon::Question:
        return "question";
    case BoxIcon::Exclamation:
        return "exclamation";
    case BoxIcon::Error:
        return "error";
    case BoxIcon::Unknown:
        break;
    }
    return "unknown icon";
}

std::string MessageBoxWindow::Message() const { return Item(kBoxTextId).Text(); }

std::vector<std::string> MessageBoxWindow::Buttons() const
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Window control(child);
        if (control.ClassName() == "Button" && control.Visible())
            texts.push_back(control.Text());
    }
    return texts;
}

BoxIcon MessageBoxWindow::Icon() const
{
    Window iconControl = Item(kBoxIconId);
    if (!iconControl || !iconControl.Visible())
        return BoxIcon::None;
    // Icon handles mean something only inside the box's own process.
    const std::vector<std::string> answer =
        AskProbe(ProcessId(), "icon", reinterpret_cast<ULONG_PTR>(iconControl.Handle()));
    const std::string name = answer.empty() ? "" : answer.front();
    if (name == "none")
        return BoxIcon::None;
    if (name == "information")
        return BoxIcon::Information;
    if (name == "question")
        return BoxIcon::Question;
    if (name == "exclamation")
        return BoxIcon::Exclamation;
    if (name == "error")
        return BoxIcon::Error;
    return BoxIcon::Unknown;
}

void MessageBoxWindow::Answer(int id) const
{
    Window button = Item(id);
    if (button)
        button.Post(BM_CLICK);
    else
        Post(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::vector<MessageBoxWindow> OpenMessageBoxes(DWORD pid, HWND except)
{
    std::vector<MessageBoxWindow> boxes;
    for (HWND window : TopLevelWindows(pid)) {
        MessageBoxWindow box(window);
        if (window != except && box.Visible() && box.ClassName() == "#32770")
            boxes.push_back(box);
    }
    return boxes;
}

MessageBoxWindow WaitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs)
{
    return MessageBoxWindow(
        WaitForTopLevel(
            pid, [&](const Window& w) { return w.Visible() && w.ClassName() == "#32770" && w.Text() == caption; },
            timeoutMs)
            .Handle());
}

}  // namespace e2e

// Message boxes of another process: find one by caption, read it, answer it.
#pragma once
#include "tests/e2e/driver/Window.h"

#include <string>
#include <vector>

namespace e2e {

enum class BoxIcon { None, Information, Question, Exclamation, Error, Unknown };
const char* ToString(BoxIcon icon);

class MessageBoxWindow : public Window {
public:
    using Window::Window;

    std::string Caption() const { return Text(); }
    std::string Message() const;
    // Texts of the push buttons, in their order in the box ("&Yes", "&No").
    std::vector<std::string> Buttons() const;
    BoxIcon Icon() const;
    // Presses the button with command id `id` (IDOK, IDYES, IDNO, ...).
    void Answer(int id) const;
};

// Waits for a visible message box ("#32770" window) with this caption that
// belongs to process `pid`. Not found: an empty MessageBoxWindow.
MessageBoxWindow WaitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs = 5000);
// The visible message boxes of process `pid` other than `except`, at once.
std::vector<MessageBoxWindow> OpenMessageBoxes(DWORD pid, HWND except = NULL);

}  // namespace e2e

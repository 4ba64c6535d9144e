// Menus of another process's windows, read entry by entry (through the
// in-process probe: under Wine a menu is readable only in its own process).
#pragma once
#include "tests/e2e/driver/Window.h"

#include <string>
#include <vector>

namespace e2e {

struct MenuEntry {
    bool separator = false;
    UINT command = 0;
    std::string text;
    bool grayed = false;
    bool checked = false;
};

// The entries of the window's system menu (the menu of the caption icon).
std::vector<MenuEntry> SystemMenuEntries(const Window& window);
// The entries of menu `menu` of process `pid`.
std::vector<MenuEntry> MenuEntries(DWORD pid, HMENU menu);

}  // namespace e2e

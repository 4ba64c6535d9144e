#include "tests/e2e/driver/Menus.h"

#include "tests/e2e/driver/Probe.h"

#include <sstream>

namespace e2e {

static std::vector<MenuEntry> ParseEntries(const std::vector<std::string>& lines)
{
    std::vector<MenuEntry> entries;
    for (const std::string& line : lines) {
        MenuEntry entry;
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "separator") {
            entry.separator = true;
        } else {
            int grayed = 0, checked = 0;
            fields >> entry.command >> grayed >> checked;
            fields.get();  // the blank before the text
            std::getline(fields, entry.text);
            entry.grayed = grayed != 0;
            entry.checked = checked != 0;
        }
        entries.push_back(entry);
    }
    return entries;
}

std::vector<MenuEntry> SystemMenuEntries(const Window& window)
{
    return ParseEntries(AskProbe(window.ProcessId(), "sysmenu", reinterpret_cast<ULONG_PTR>(window.Handle())));
}

std::vector<MenuEntry> MenuEntries(DWORD pid, HMENU menu)
{
    return ParseEntries(AskProbe(pid, "menu", reinterpret_cast<ULONG_PTR>(menu)));
}

}  // namespace e2e

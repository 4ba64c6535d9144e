#include "tests/e2e/driver/Quellix.h"

#include "tests/e2e/driver/Wait.h"

#include <fstream>

namespace e2e {
namespace quellix {

std::string ExePath()
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUELLIX_EXE", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return WindowsPath(value);
    return OwnDirectory() + "test\\" + kExeName;
}

namespace {
bool IsMainDialog(const Window& w) { return w.ClassName() == "#32770" && w.Text() == kDialogCaption; }
}  // namespace

Dialog FindMainDialog(DWORD pid) { return Dialog(FindTopLevel(pid, IsMainDialog).Handle()); }

Dialog WaitForMainDialog(DWORD pid, DWORD timeoutMs)
{
    return Dialog(WaitForTopLevel(
                      pid, [](const Window& w) { return IsMainDialog(w) && w.Visible(); }, timeoutMs, 20)
                      .Handle());
}

std::vector<std::string> ReadRequestLog(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

}  // namespace quellix
}  // namespace e2e

#include "tests/e2e/ScheduleSteps.h"

#include "tests/e2e/driver/Popups.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Quellix.h"
#include "tests/e2e/driver/Wait.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

using namespace quellix;

void WaitForSecondPhase(int fromMs, int toMs)
{
    for (int i = 0; i < 2000; ++i) {
        const int phase = static_cast<int>(WallClockMs() % 1000);
        if (phase >= fromMs && phase < toMs)
            return;
        Sleep(phase < fromMs ? 1 : 5);
    }
}

std::optional<int> ShownSeconds(const std::string& text)
{
    int seconds = 0, length = 0;
    if (sscanf(text.c_str(), "Left %d sec.%n", &seconds, &length) == 1 && length == static_cast<int>(text.size()))
        return seconds;
    return std::nullopt;
}

std::vector<int> ActionCodes(const Dialog& dialog)
{
    std::vector<int> codes;
    const Window list = dialog.Item(id::Action);
    const LRESULT count = list.Send(CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i)
        codes.push_back(static_cast<int>(list.Send(CB_GETITEMDATA, i)));
    return codes;
}

int PositionOfCode(const Dialog& dialog, int code)
{
    const std::vector<int> codes = ActionCodes(dialog);
    for (size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code)
            return static_cast<int>(i);
    return -1;
}

namespace {
void LeaveNowMode(const Dialog& dialog)
{
    if (dialog.IsChecked(id::Now))
        dialog.Click(id::Now);
    EXPECT_FALSE(dialog.IsChecked(id::Now));
}
}  // namespace

int64_t StartCountdownAt(const Dialog& dialog, int secondsAhead)
{
    LeaveNowMode(dialog);
    dialog.Click(id::At);
    EXPECT_TRUE(dialog.IsChecked(id::At));
    WaitForSecondPhase(800, 880);
    const int64_t target = WallClockMs() / 1000 * 1000 + secondsAhead * 1000LL;
    dialog.SetPickerTime(id::TimeAt, LocalTimeAt(target));
    dialog.Click(id::Ok);
    EXPECT_FALSE(dialog.IsEnabled(id::Ok)) << "OK did not start a countdown";
    return target;
}

void StartCountdownAfter(const Dialog& dialog, const std::string& minutes)
{
    LeaveNowMode(dialog);
    dialog.Click(id::After);
    EXPECT_TRUE(dialog.IsChecked(id::After));
    dialog.TypeText(id::Minutes, minutes);
    dialog.Click(id::Ok);
    EXPECT_FALSE(dialog.IsEnabled(id::Ok)) << "OK did not start a countdown";
}

MessageBoxWindow WaitForPrompt(DWORD pid, DWORD timeoutMs)
{
    MessageBoxWindow found;
    WaitUntil(
        [&] {
            for (HWND box = FindWindowExA(NULL, NULL, "#32770", kPromptCaption); box;
                 box = FindWindowExA(NULL, box, "#32770", kPromptCaption)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner == pid && IsWindowVisible(box)) {
                    found = MessageBoxWindow(box);
                    return true;
                }
            }
            return false;
        },
        timeoutMs, 2);
    return found;
}

size_t PopupWatch::Poll()
{
    for (const Popup& popup : ExistingPopups(m_pid))
        m_seen.insert(popup.Handle());
    return m_seen.size();
}

size_t PopupWatch::PollFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        Poll();
        Sleep(10);
    } while (GetTickCount() - start < ms);
    return Poll();
}

ReportedSystemVersion::ReportedSystemVersion(const std::string& version)
{
    const std::string exe = ExePath();
    m_key = "Software\\Wine\\AppDefaults\\" + exe.substr(exe.find_last_of("\\/") + 1);
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    m_set = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                           static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
}

ReportedSystemVersion::~ReportedSystemVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }

std::string LogonName()
{
    char name[256] = {};
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

}  // namespace e2e

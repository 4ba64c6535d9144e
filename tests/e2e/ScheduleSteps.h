// Steps shared by the tests of the action list, the countdown, its expiry and
// the stored settings: the wall clock, starting a countdown as a user does,
// the expiry prompt, the popups, and the system version Wine reports.
#pragma once
#include "tests/e2e/driver/MessageBoxes.h"
#include "tests/e2e/driver/WallClock.h"
#include "tests/e2e/driver/Window.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace e2e {

// Caption and icon of the Yes/No box that comes before a request.
constexpr char kPromptCaption[] = "Quellix timer expired";

// Waits until the wall clock stands `fromMs` to `toMs` milliseconds past a
// whole second (0 <= from < to <= 1000).
void WaitForSecondPhase(int fromMs, int toMs);

// The seconds of a remaining-time text "Left N sec."; none for other texts.
std::optional<int> ShownSeconds(const std::string& text);

// The dialog's action list: the action code stored with each entry.
std::vector<int> ActionCodes(const Dialog& dialog);
// The list position of the entry with `code`, or -1.
int PositionOfCode(const Dialog& dialog, int code);

// Clears "Now" (when checked), picks "at", puts `secondsAhead` whole seconds
// from the current second into the picker and presses OK. The press is made
// late in a second, so an expiry that came a whole count of seconds after the
// press, rather than on the target, would be most of a second late.
// Returns the target instant on the wall clock.
int64_t StartCountdownAt(const Dialog& dialog, int secondsAhead);
// Clears "Now" (when checked), picks "after", types `minutes` and presses OK.
void StartCountdownAfter(const Dialog& dialog, const std::string& minutes);

// The expiry prompt of process `pid` once it shows; empty after the time-out.
MessageBoxWindow WaitForPrompt(DWORD pid, DWORD timeoutMs);

// Collects every popup of `pid` seen while polling.
class PopupWatch {
public:
    explicit PopupWatch(DWORD pid) : m_pid(pid) {}
    // Looks once and returns how many different popups were seen so far.
    size_t Poll();
    // Polls for `ms` milliseconds.
    size_t PollFor(DWORD ms);
    size_t Seen() const { return m_seen.size(); }

private:
    DWORD m_pid;
    std::set<HWND> m_seen;
};

// The system version Wine reports to the program under test, chosen by its
// executable name from the next start ("win98", "nt40", "winxp", "win7"); the
// choice is removed again when this object goes.
class ReportedSystemVersion {
public:
    explicit ReportedSystemVersion(const std::string& version);
    ~ReportedSystemVersion();
    ReportedSystemVersion(const ReportedSystemVersion&) = delete;
    ReportedSystemVersion& operator=(const ReportedSystemVersion&) = delete;
    bool Set() const { return m_set; }

private:
    std::string m_key;
    bool m_set = false;
};

// The logon name, as the program reads it.
std::string LogonName();

}  // namespace e2e

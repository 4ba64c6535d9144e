// What the tests know of Quellix: its control ids and the names it uses in
// the system (the program's own), its captions, and how to start a copy of it.
#pragma once
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Window.h"

#include "app/shared_names.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace e2e {
namespace quellix {

// Controls of the main dialog.
namespace id {
constexpr int Action = IDC_ACTION;
constexpr int Ok = IDC_OK;
constexpr int Cancel = IDC_CANCEL;
constexpr int TimeAt = IDC_TIME_AT;
constexpr int Confirm = IDC_CONFIRM;
constexpr int Minutes = IDC_DURATION;
constexpr int MinutesSpin = IDC_DURATION_SPIN;
constexpr int Progress = IDC_PROGRESS;
constexpr int MinLabel = IDC_MIN_LABEL;
constexpr int Remaining = IDC_REMAINING;
constexpr int Description = IDC_DESCRIPTION;
constexpr int At = IDC_RADIO_AT;
constexpr int After = IDC_RADIO_AFTER;
constexpr int Now = IDC_NOW;
constexpr int TimeGroup = IDC_TIME_GROUP;
constexpr int ActionGroup = IDC_ACTION_GROUP;
constexpr int HideOnMinimize = IDC_HIDE_ON_MINIMIZE;
}  // namespace id

// The notification icon: its id, the callback message the shell sends to the
// dialog, and the commands of its menu.
constexpr UINT kTrayIconId = ::quellix::kTrayIconId;
constexpr UINT kTrayMessage = WM_TRAYNOTIFY;
namespace command {
constexpr UINT Restore = ID_TRAY_RESTORE;
constexpr UINT StopTimer = ID_TRAY_STOP_TIMER;
constexpr UINT AskConfirmation = ID_TRAY_ASK_CONFIRM;
constexpr UINT Exit = ID_TRAY_EXIT;
constexpr UINT About = ID_TRAY_ABOUT;
constexpr UINT Hide = ID_TRAY_HIDE;
}  // namespace command

constexpr char kDialogCaption[] = "Quellix...";
// The framework titles its own messages with the program's file name.
constexpr char kMessageCaption[] = "Quellix";
constexpr char kExeName[] = "Quellix.exe";
constexpr const char* kSemaphoreName = ::quellix::kSingleInstanceName;
constexpr char kSettingsKey[] = "Software\\Quellix";
// The test build writes each power request to the file this variable names.
constexpr char kRequestLogVariable[] = "QUELLIX_REQUEST_LOG";
// ... and makes the request this variable names fail with the error code given.
constexpr char kFailingRequestVariable[] = "QUELLIX_REQUEST_FAIL";

// The program under test: $QUELLIX_EXE (a Windows or a Linux path), else
// test\Quellix.exe beside this test program (the build with recorded requests).
std::string ExePath();

// The main dialog of process `pid` once it is visible; empty after the time-out.
Dialog WaitForMainDialog(DWORD pid, DWORD timeoutMs);
// The main dialog of process `pid`, visible or not, at once; may be empty.
Dialog FindMainDialog(DWORD pid);

// The lines written to a request log so far ("ExitWindowsEx 5", ...).
std::vector<std::string> ReadRequestLog(const std::string& path);

}  // namespace quellix
}  // namespace e2e

// What the tests know of Quellix from the outside: its control ids, captions,
// the names it uses in the system, and how to start a copy of it.
#pragma once
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Window.h"

#include <string>
#include <vector>

namespace e2e {
namespace quellix {

// Controls of the main dialog.
namespace id {
constexpr int Action = 1000;
constexpr int Ok = 1004;
constexpr int Cancel = 1005;
constexpr int TimeAt = 1006;
constexpr int Confirm = 1007;
constexpr int Minutes = 1008;
constexpr int MinutesSpin = 1009;
constexpr int Progress = 1011;
constexpr int MinLabel = 1012;
constexpr int Remaining = 1015;
constexpr int Description = 1017;
constexpr int At = 1018;
constexpr int After = 1019;
constexpr int Now = 1021;
constexpr int TimeGroup = 1024;
constexpr int ActionGroup = 1025;
constexpr int HideOnMinimize = 1029;
}  // namespace id

// The notification icon: its id, the callback message the shell sends to the
// dialog, and the commands of its menu.
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayMessage = WM_USER + 5;
namespace command {
constexpr UINT Restore = 1026;
constexpr UINT StopTimer = 1027;
constexpr UINT AskConfirmation = 1028;
constexpr UINT Exit = 1030;
constexpr UINT About = 1031;
constexpr UINT Hide = 1032;
}  // namespace command

constexpr char kDialogCaption[] = "Quellix...";
// The framework titles its own messages with the program's file name.
constexpr char kMessageCaption[] = "Quellix";
constexpr char kExeName[] = "Quellix.exe";
constexpr char kSemaphoreName[] = "OnlyOneCopy_Quellix_5D31A07F42C8_7E2C_4B19_A6D3_0F58C2E19D4A";
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

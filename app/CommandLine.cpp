// The command line of a copy started by a script or a shortcut: read and
// checked before anything starts, and handed to the running copy if there
// is one.
#include "app/CommandHandOver.h"

#include "afx/SystemFunctions.h"
#include "schedule/Conditions.h"
#include "schedule/remaining_text.h"
#include "schedule/SystemVersion.h"
#include "schedule/action_catalogue.h"

namespace quellix {

namespace {
const char kCaption[] = "Quellix";
// A copy that is still starting has no dialog yet: it is looked for this long.
const DWORD kFindTimeoutMs = 5000;
const UINT kAnswerTimeoutMs = 5000;

BOOL CALLBACK FindMarkedWindow(HWND hWnd, LPARAM lParam)
{
    if (reinterpret_cast<ULONG_PTR>(::GetPropA(hWnd, kCommandWindowProperty)) != kCommandWindowMark)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

HWND FindCommandWindow()
{
    HWND found = NULL;
    ::EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

std::vector<int> OfferedActionCodes() { return ListedActions(OsVersionOf(ReadSystemVersion()), !LogonName().empty()); }

bool ReadCommandLine(ScriptedCommand* command, int* exitStatus)
{
    const std::vector<std::string> arguments = SplitCommandLine(::GetCommandLineA(), true);
    if (arguments.empty())
        return true;
    const ParsedCommand parsed = ParseCommand(arguments, OfferedActionCodes());
    if (!parsed.ok) {
        const std::string text = parsed.problem + "\n\n" + kUsageText;
        ::MessageBoxA(NULL, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
        *exitStatus = kExitBadArguments;
        return false;
    }
    if (parsed.command.usage) {
        ::MessageBoxA(NULL, kUsageText, kCaption, MB_OK | MB_ICONINFORMATION);
        *exitStatus = kExitAccepted;
        return false;
    }
    // Nothing to wait for is refused here, as a bad argument; what this
    // computer cannot do is refused by the dialog, as for an action.
    CProcessWatch probe;
    int status = kExitAccepted;
    const std::string refusal = ConditionRefusal(parsed.command, &probe, &status);
    if (status == kExitBadArguments) {
        ::MessageBoxA(NULL, refusal.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
        *exitStatus = status;
        return false;
    }
    *command = parsed.command;
    return true;
}

int ReportNothingToPostpone()
{
    ::MessageBoxA(NULL, "There is no countdown to postpone.", kCaption, MB_OK | MB_ICONEXCLAMATION);
    return kExitNothingToPostpone;
}

int HandOverCommand(const ScriptedCommand& command)
{
    // The running copy may bring its dialog to the front.
    afx::AllowSetForegroundWindow(ASFW_ANY);
    const std::string text = FormatCommand(command);
    COPYDATASTRUCT data = {kCommandDataTag, static_cast<DWORD>(text.size()),
                           const_cast<void*>(static_cast<const void*>(text.data()))};
    const DWORD start = ::GetTickCount();
    do {
        if (HWND hDialog = FindCommandWindow()) {
            DWORD_PTR reply = 0;
            if (::SendMessageTimeoutA(hDialog, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                      SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &reply) &&
                (static_cast<LRESULT>(reply) & ~0xFFFF) == kCommandReplyTag) {
                const int status = static_cast<int>(reply & 0xFFFF);
                if (status == kExitBadArguments && command.timing == Timing::WaitFor)
                    ::MessageBoxA(NULL, NothingToWaitForText(command.waitFor).c_str(), kCaption,
                                  MB_OK | MB_ICONEXCLAMATION);  // it ended meanwhile
                else if (status == kExitBadArguments)
                    ::MessageBoxA(NULL, "The running Quellix does not offer this action.", kCaption,
                                  MB_OK | MB_ICONEXCLAMATION);
                else if (status == kExitNothingToPostpone)
                    ReportNothingToPostpone();
                return status;
            }
            break;
        }
        ::Sleep(100);
    } while (::GetTickCount() - start < kFindTimeoutMs);
    ::MessageBoxA(NULL, "Quellix is running but did not answer; the command was not carried out.", kCaption,
                  MB_OK | MB_ICONEXCLAMATION);
    return kExitNoAnswer;
}

}  // namespace quellix

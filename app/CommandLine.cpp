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

// Writes `text` as lines of the console this process is attached to: to the
// handle it inherited (a redirection of the script's), else to the console.
void WriteToConsole(const std::string& text, bool error)
{
    std::string lines;
    for (char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    lines += "\r\n";
    HANDLE out = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    HANDLE opened = INVALID_HANDLE_VALUE;
    if (out == NULL || out == INVALID_HANDLE_VALUE) {
        opened = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
        out = opened;
    }
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()), &written, NULL);
    }
    if (opened != INVALID_HANDLE_VALUE)
        ::CloseHandle(opened);
}

// A message of the command line itself. A script run from a console gets it
// there, where no box waits for a person; /quiet silences it altogether.
// The console is let go at once: a copy that stays attached would be ended
// with the console window.
void Tell(const std::string& text, bool error, bool quiet)
{
    if (quiet)
        return;
    // A process that has a console already is refused with ERROR_ACCESS_DENIED:
    // Wine gives a program started from a console, or a terminal, that console.
    const bool attached = afx::AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    if (attached || ::GetLastError() == ERROR_ACCESS_DENIED) {
        WriteToConsole(text, error);
        if (attached)
            ::FreeConsole();
        return;
    }
    ::MessageBoxA(NULL, text.c_str(), kCaption, MB_OK | (error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}
}  // namespace

std::vector<int> OfferedActionCodes() { return ListedActions(OsVersionOf(ReadSystemVersion()), !LogonName().empty()); }

bool ReadCommandLine(ScriptedCommand* command, int* exitStatus)
{
    const std::vector<std::string> arguments = SplitCommandLine(::GetCommandLineA(), true);
    if (arguments.empty())
        return true;
    const ParsedCommand parsed = ParseCommand(arguments, OfferedActionCodes());
    const bool quiet = WantsQuiet(arguments);
    if (!parsed.ok) {
        Tell(parsed.problem + "\n\n" + kUsageText, true, quiet);
        *exitStatus = kExitBadArguments;
        return false;
    }
    if (parsed.command.usage) {
        Tell(kUsageText, false, quiet);
        *exitStatus = kExitAccepted;
        return false;
    }
    // Nothing to wait for is refused here, as a bad argument; what this
    // computer cannot do is refused by the dialog, as for an action.
    CProcessWatch probe;
    int status = kExitAccepted;
    const std::string refusal = ConditionRefusal(parsed.command, &probe, &status);
    if (status == kExitBadArguments) {
        Tell(refusal, true, quiet);
        *exitStatus = status;
        return false;
    }
    *command = parsed.command;
    return true;
}

int ReportNothingToPostpone(bool quiet)
{
    Tell("There is no countdown to postpone.", true, quiet);
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
                    Tell(NothingToWaitForText(command.waitFor), true, command.quiet);  // it ended meanwhile
                else if (status == kExitBadArguments)
                    Tell("The running Quellix does not offer this action.", true, command.quiet);
                else if (status == kExitNothingToPostpone)
                    ReportNothingToPostpone(command.quiet);
                return status;
            }
            break;
        }
        ::Sleep(100);
    } while (::GetTickCount() - start < kFindTimeoutMs);
    Tell("Quellix is running but did not answer; the command was not carried out.", true, command.quiet);
    return kExitNoAnswer;
}

}  // namespace quellix

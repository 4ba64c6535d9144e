#include "app/ShutdownApp.h"

#include "afx/SystemFunctions.h"
#include "app/CommandHandOver.h"
#include "app/shared_names.h"
#include "dialog/ShutdownDlg.h"

CShutdownApp theApp;

namespace {
// A later copy: let the running one come to the front, wake it once, end.
void WakeFirstCopy(HANDLE hSemaphore)
{
    // Lets the running copy take the foreground; Windows 95 and NT 4.0 have
    // no foreground lock to lift.
    afx::AllowSetForegroundWindow(ASFW_ANY);
    ::ReleaseSemaphore(hSemaphore, 1, NULL);
    ::CloseHandle(hSemaphore);
}

// The dialog could not be created: say so rather than end without a word.
void ReportNoDialog()
{
    ::MessageBoxA(NULL,
                  "Quellix could not open its window. It needs the common controls of Internet Explorer 3 or later "
                  "(version 4.70), which bring the time picker.",
                  "Quellix", MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

BOOL CShutdownApp::InitInstance()
{
    // A refused command line starts nothing and reaches no running copy.
    quellix::ScriptedCommand command;
    if (!quellix::ReadCommandLine(&command, &m_nExitStatus))
        return FALSE;

    // Creating the semaphore decides, in one step, which copy is the first:
    // asking first whether it exists would let two copies started together
    // both see none and both run.
    ::SetLastError(0);  // not every system clears it when it creates the object
    HANDLE hSemaphore = ::CreateSemaphoreA(NULL, 0, quellix::kSingleInstanceMaxCount, quellix::kSingleInstanceName);
    if (hSemaphore && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        // A bare start wakes the running copy; a command goes to its window.
        if (command.Empty()) {
            WakeFirstCopy(hSemaphore);
        } else {
            m_nExitStatus = quellix::HandOverCommand(command);
            ::CloseHandle(hSemaphore);
        }
        return FALSE;
    }
    // A NULL handle only means that no later copy can reach this one.
    if (command.postponeMinutes)
        m_nExitStatus = quellix::ReportNothingToPostpone(command.quiet);
    if ((command.stop || command.postponeMinutes) && !command.show) {
        // Nothing runs, so nothing is to stop or to postpone.
        if (hSemaphore)
            ::CloseHandle(hSemaphore);
        return FALSE;
    }

    // InitCommonControls alone registers only the Windows 95 classes on 98,
    // Me and 2000 without version 6: no date-time picker, and no dialog.
    afx::InitCommonControlsEx(ICC_WIN95_CLASSES | ICC_DATE_CLASSES);

    {
        CShutdownDlg dlg(hSemaphore);
        if (!command.Empty())
            dlg.SetScriptedCommand(command);
        m_pMainWnd = &dlg;
        if (dlg.DoModal() == -1)
            ReportNoDialog();
        if (hSemaphore)
            ::CloseHandle(hSemaphore);
        m_pMainWnd = NULL;
    }
    return FALSE;
}

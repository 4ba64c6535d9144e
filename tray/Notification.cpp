// ShowNotification: composes a reminder and launches it in a popup.
#include "dialog/ShutdownDlg.h"

#include "resource.h"
#include "schedule/SystemVersion.h"
#include "schedule/remaining_text.h"
#include "tray/NotifierWnd.h"
#include "tray/reminder_text.h"

using namespace quellix;

void CShutdownDlg::ShowNotification(BOOL bRemember, BOOL bWarning)
{
    if (!m_bNotify)
        return;
    // A countdown that waits names what it waits for: "... after ffmpeg.exe ends".
    const std::string remaining =
        m_model.Waiting() ? WaitEndText(m_model.State().waitFor) : FormatRemaining(m_nRemaining).str();
    const int code = SelectedActionCode();
    if (code == 0)
        return;
    std::string user = code == ACTION_LOGOFF ? LogonName() : std::string();
    Reminder reminder = ComposeReminder(bRemember, bWarning, m_bRunning, code, user, remaining);
    if (!reminder.show)
        return;

    // The popup owns itself from here on and is deleted when its window goes.
    CNotifierWnd* pNotifier = new CNotifierWnd(reminder.width, reminder.height);
    pNotifier->SetText(reminder.text.c_str());
    pNotifier->SetStayTime(reminder.staySeconds);
    pNotifier->SetBitmap(IDB_NOTIFIER);
    pNotifier->Popup(reminder.first, reminder.middle, reminder.last);
}

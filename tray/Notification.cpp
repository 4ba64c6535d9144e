// ShowNotification: composes a reminder and launches it in a popup.
#include "dialog/ShutdownDlg.h"

#include "resource.h"
#include "schedule/SystemVersion.h"
#include "tray/NotifierWnd.h"
#include "tray/reminder_text.h"

using namespace quellix;

void CShutdownDlg::ShowNotification(BOOL bRemember, BOOL bWarning)
{
    if (!m_bNotify)
        return;
    CString remaining = FormatRemaining(m_nRemaining);
    const int code = SelectedActionCode();
    if (code == 0)
        return;
    std::string user = code == ACTION_LOGOFF ? LogonName() : std::string();
    Reminder reminder = ComposeReminder(bRemember, bWarning, m_bRunning, code, user, remaining.str());
    if (!reminder.show)
        return;

    // The popup owns itself from here on and is deleted when its window goes.
    CNotifierWnd* pNotifier = new CNotifierWnd(reminder.width, reminder.height);
    pNotifier->SetText(reminder.text.c_str());
    pNotifier->SetStayTime(reminder.staySeconds);
    pNotifier->SetBitmap(IDB_NOTIFIER);
    pNotifier->Popup(reminder.first, reminder.middle, reminder.last);
}

// The action list: filled once for the running system, and the texts that
// follow the selected action.
#include "dialog/ShutdownDlg.h"
#include "resource.h"
#include "schedule/SystemVersion.h"
#include "schedule/action_catalogue.h"

using namespace quellix;

// `version` is the record the tray set-up has just read. "Turn off power" is
// selected until a stored choice is read.
void CShutdownDlg::FillActionList(const OSVERSIONINFOA& version)
{
    // A name that cannot be read leaves log-off out.
    const std::string user = LogonName();
    for (int code : ListedActions(OsVersionOf(version), !user.empty())) {
        const std::string text = code == ACTION_LOGOFF ? LogOffEntryText(user) : ActionEntryText(code);
        const int index = m_comboAction.AddString(text.c_str());
        m_comboAction.SetItemData(index, static_cast<DWORD_PTR>(code));
        if (code == ACTION_POWEROFF)
            m_comboAction.SetCurSel(index);
    }
    m_strActionVerb = "turn off";
}

int CShutdownDlg::SelectedActionCode() const
{
    const int selected = m_comboAction.GetCurSel();
    return selected == CB_ERR ? 0 : static_cast<int>(m_comboAction.GetItemData(selected));
}

void CShutdownDlg::OnSelChangeAction()
{
    const int code = SelectedActionCode();
    if (code == 0)
        return;
    if (const char* verb = ActionVerb(code)) {
        m_strActionVerb = verb;
        SetDlgItemText(IDC_DESCRIPTION, ActionDescription(code));
    }
    SetDlgItemText(IDC_TIME_GROUP, m_strActionVerb + " time");
    m_strActionVerb.MakeLower();
    SetDlgItemText(IDC_CONFIRM, "Confirm " + m_strActionVerb + "...");
}

// The action list: filled once for the running system, and the texts that
// follow the selected action.
#include "dialog/ShutdownDlg.h"
#include "resource.h"
#include "schedule/SystemVersion.h"
#include "schedule/action_catalogue.h"

using namespace quellix;

namespace {
void AddAction(CComboBox& list, int code)
{
    int index = list.AddString(ActionEntryText(code));
    list.SetItemData(index, static_cast<DWORD_PTR>(code));
}
}  // namespace

// `version` is the record the tray set-up has just read.
void CShutdownDlg::FillActionList(const OSVERSIONINFOA& version)
{
    AddAction(m_comboAction, ACTION_POWEROFF);
    AddAction(m_comboAction, ACTION_SHUTDOWN);
    AddAction(m_comboAction, ACTION_RESTART);
    m_comboAction.SetCurSel(0);
    m_strActionVerb = "turn off";

    for (int code : VersionDependentActions(OsVersionOf(version)))
        AddAction(m_comboAction, code);

    // A name that cannot be read leaves log-off out.
    const std::string user = LogonName();
    if (!user.empty()) {
        int index = m_comboAction.InsertString(0, LogOffEntryText(user).c_str());
        m_comboAction.SetItemData(index, ACTION_LOGOFF);
    }
}

void CShutdownDlg::OnSelChangeAction()
{
    int selected = m_comboAction.GetCurSel();
    if (selected == CB_ERR)
        return;
    int code = static_cast<int>(m_comboAction.GetItemData(selected));
    if (const char* verb = ActionVerb(code)) {
        m_strActionVerb = verb;
        SetDlgItemText(IDC_DESCRIPTION, ActionDescription(code));
    }
    SetDlgItemText(IDC_TIME_GROUP, m_strActionVerb + " time");
    m_strActionVerb.MakeLower();
    SetDlgItemText(IDC_CONFIRM, "Confirm " + m_strActionVerb + "...");
}

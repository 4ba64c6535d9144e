// The user's last choices, kept in HKEY_CURRENT_USER\Software\Quellix as
// 32-bit values. Nothing is written at exit.
#include "dialog/ShutdownDlg.h"
#include "dialog/settings_values.h"

namespace {
const char kSettingsKey[] = "Software\\Quellix";
const char kAction[] = "Action";
const char kTurnOffNow[] = "TurnOffNow";
const char kTurnOffAfter[] = "TurnOffAfter";
const char kTurnOffDur[] = "TurnOffDur";
const char kConfirmTurnOff[] = "ConfirmTurnOff";

// Opens the key, creating it when missing; NULL when neither works.
HKEY OpenSettingsKey(REGSAM access)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, NULL, REG_OPTION_NON_VOLATILE, access, NULL, &hKey,
                          NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// A stored 32-bit value; false when it is missing or not what this program writes.
bool ReadValue(HKEY hKey, const char* name, int* value)
{
    BYTE data[4];
    DWORD type = 0;
    DWORD size = sizeof data;
    if (::RegQueryValueExA(hKey, name, NULL, &type, data, &size) != ERROR_SUCCESS)
        return false;
    int32_t decoded = 0;
    if (!quellix::DecodeStoredDword(type, data, size, &decoded))
        return false;
    *value = decoded;
    return true;
}

// A stored 0 or 1; any other number counts as missing.
void ReadSwitch(HKEY hKey, const char* name, int* value)
{
    int stored = 0;
    if (ReadValue(hKey, name, &stored) && quellix::IsValidSwitch(stored))
        *value = stored;
}

void WriteValue(HKEY hKey, const char* name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}
}  // namespace

void CShutdownDlg::LoadSettings()
{
    CRegKey key;
    if (!key.Attach(OpenSettingsKey(KEY_READ)))
        return;
    const HKEY hKey = key.GetSafeHandle();
    int action = 0;
    if (ReadValue(hKey, kAction, &action)) {
        // A position outside the list selects nothing. Said outright: Wine's
        // list keeps its old selection when asked for a position past its end.
        if (action < 0 || action >= m_comboAction.GetCount())
            action = CB_ERR;
        m_comboAction.SetCurSel(action);
    }
    ReadSwitch(hKey, kTurnOffNow, &m_bNow);
    ReadSwitch(hKey, kTurnOffAfter, &m_nTimingMode);
    ReadSwitch(hKey, kConfirmTurnOff, &m_bConfirm);
    // Minutes the field would refuse count as missing: they would hold up every OK.
    int minutes = 0;
    if (ReadValue(hKey, kTurnOffDur, &minutes) && quellix::IsValidMinutes(minutes))
        m_nDuration = minutes;
    UpdateData(FALSE);
}

void CShutdownDlg::SaveSettings()
{
    if (!UpdateData(TRUE))
        return;
    int action = m_comboAction.GetCurSel();
    CRegKey key;
    if (!key.Attach(OpenSettingsKey(KEY_WRITE)))
        return;
    WriteValue(key.GetSafeHandle(), kAction, action);
    WriteValue(key.GetSafeHandle(), kTurnOffNow, m_bNow);
    WriteValue(key.GetSafeHandle(), kTurnOffAfter, m_nTimingMode);
    WriteValue(key.GetSafeHandle(), kTurnOffDur, m_nDuration);
}

void CShutdownDlg::OnConfirmClicked()
{
    Apply(m_model.ConfirmationSet(m_btnConfirm.GetCheck() != BST_UNCHECKED));
    if (!UpdateData(TRUE))
        return;
    CRegKey key;
    if (key.Attach(OpenSettingsKey(KEY_ALL_ACCESS)))
        WriteValue(key.GetSafeHandle(), kConfirmTurnOff, m_bConfirm);
}

// "ConfirmTurnOff" as stored now, for a scripted start that does not choose;
// the question where none is stored.
BOOL CShutdownDlg::StoredConfirmation()
{
    int confirm = TRUE;
    HKEY hKey = NULL;
    CRegKey key;  // opened, not created: a scripted start stores nothing
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS && key.Attach(hKey))
        ReadSwitch(key.GetSafeHandle(), kConfirmTurnOff, &confirm);
    return confirm;
}

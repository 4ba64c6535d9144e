// Before a stand-by or a hibernate is scheduled or made: can this machine do
// it? A refusal now spares a wait of up to 48 hours that would end in one.
#include "afx/SystemFunctions.h"
#include "dialog/ShutdownDlg.h"
#include "schedule/PowerRequests.h"
#include "schedule/action_catalogue.h"
#include "schedule/power_capabilities.h"

using namespace quellix;

BOOL ReadSystemPowerCapabilities(PowerCapabilities* capabilities)
{
    SYSTEM_POWER_CAPABILITIES system;
    if (!afx::GetPwrCapabilities(&system))
        return FALSE;
    capabilities->s1 = system.SystemS1 != 0;
    capabilities->s2 = system.SystemS2 != 0;
    capabilities->s3 = system.SystemS3 != 0;
    capabilities->s4 = system.SystemS4 != 0;
    capabilities->hiberFilePresent = system.HiberFilePresent != 0;
    return TRUE;
}

std::string CShutdownDlg::CapabilityRefusalFor(int actionCode)
{
    if (actionCode != ACTION_HIBERNATE && actionCode != ACTION_STANDBY)
        return "";  // the only actions the capabilities speak of: powrprof is not loaded for the others
    PowerCapabilities capabilities;
    return CapabilityRefusal(actionCode, QueryPowerCapabilities(&capabilities) ? &capabilities : nullptr);
}

BOOL CShutdownDlg::ActionPossibleHere()
{
    const int code = SelectedActionCode();
    if (code == 0)
        return TRUE;  // carried on to the report that nothing is selected
    const std::string refusal = CapabilityRefusalFor(code);
    if (refusal.empty())
        return TRUE;
    MessageBox(refusal.c_str(), "Quellix", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

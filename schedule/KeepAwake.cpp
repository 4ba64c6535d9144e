#include "schedule/KeepAwake.h"

#include "afx/SystemFunctions.h"

EXECUTION_STATE KeepSystemAwake(bool on)
{
    // ES_CONTINUOUS alone drops the request; ES_DISPLAY_REQUIRED is never asked.
    return afx::SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

// Requests about the dialog's one notification-area icon, and whether the
// shell may hold it: without an icon handed to it a delete is not sent, since
// the shell would only be loaded to refuse it.
#pragma once
#include "afx/SystemFunctions.h"

namespace quellix {

class CShellIcon {
public:
    // TRUE when the shell carried the request out.
    BOOL Notify(DWORD message, NOTIFYICONDATAA* nid)
    {
        if (message == NIM_DELETE && !m_held)
            return FALSE;  // nothing of ours to delete
        const BOOL done = afx::ShellNotifyIcon(message, nid);
        // A refused add may still have reached a busy shell: only a delete the
        // shell carried out says for sure that it holds no icon of ours.
        if (message == NIM_ADD || (message == NIM_MODIFY && done))
            m_held = true;
        else if (message == NIM_DELETE && done)
            m_held = false;
        return done;
    }

private:
    bool m_held = false;
};

}  // namespace quellix

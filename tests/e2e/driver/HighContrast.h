// High contrast for the program under test: the system colours of a
// high-contrast scheme, set for the session, and the setting turned on.
#pragma once
#include <windows.h>

namespace e2e {

class HighContrast {
public:
    static const int kCount = 7;

    // Sets the scheme's colours of the dialog face, windows, the link and tooltips;
    // programs started from now on draw with them.
    HighContrast();
    // Puts back the colours, and the setting where the system turned it on.
    ~HighContrast();
    HighContrast(const HighContrast&) = delete;
    HighContrast& operator=(const HighContrast&) = delete;

    // Turns the setting on for process `pid`: through the system where it can
    // (SPI_SETHIGHCONTRAST), else by the probe, which then answers the
    // program's own SPI_GETHIGHCONTRAST (Wine 8 cannot switch it on).
    void TurnOnFor(DWORD pid);

private:
    static const int kIndexes[kCount];
    COLORREF m_saved[kCount];
    bool m_turnedOnBySystem = false;
};

}  // namespace e2e

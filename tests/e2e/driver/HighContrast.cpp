#include "tests/e2e/driver/HighContrast.h"

#include "tests/e2e/driver/Probe.h"

#include <gtest/gtest.h>

namespace e2e {

const int HighContrast::kIndexes[kCount] = {COLOR_BTNFACE,  COLOR_BTNTEXT, COLOR_WINDOW,  COLOR_WINDOWTEXT,
                                            COLOR_HOTLIGHT, COLOR_INFOBK,  COLOR_INFOTEXT};

namespace {
// As "High Contrast Black" has them, but for the tooltips' colours, which
// differ from the dialog's so that one cannot pass for the other.
const COLORREF kScheme[HighContrast::kCount] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                                                RGB(255, 255, 255), RGB(255, 255, 0),   RGB(0, 0, 128),
                                                RGB(0, 255, 255)};

bool SetHighContrast(bool on)
{
    HIGHCONTRASTA setting = {};
    setting.cbSize = sizeof setting;
    SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0);
    setting.dwFlags = on ? setting.dwFlags | HCF_HIGHCONTRASTON : setting.dwFlags & ~HCF_HIGHCONTRASTON;
    setting.lpszDefaultScheme = NULL;
    return SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof setting, &setting, SPIF_SENDCHANGE);
}
}  // namespace

HighContrast::HighContrast()
{
    for (int i = 0; i < kCount; ++i)
        m_saved[i] = GetSysColor(kIndexes[i]);
    EXPECT_TRUE(SetSysColors(kCount, kIndexes, kScheme)) << "cannot set the system colours";
}

HighContrast::~HighContrast()
{
    if (m_turnedOnBySystem)
        SetHighContrast(false);
    SetSysColors(kCount, kIndexes, m_saved);
}

void HighContrast::TurnOnFor(DWORD pid)
{
    if (SetHighContrast(true)) {
        m_turnedOnBySystem = true;
        // Its scheme may bring other colours; the tests read them back with GetSysColor.
        return;
    }
    AskProbe(pid, "highcontrast", 1);
}

}  // namespace e2e

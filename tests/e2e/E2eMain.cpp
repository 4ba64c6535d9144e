// Entry of the end-to-end test program: GoogleTest with unbuffered output, so
// a run stopped by a time-out still shows how far it got.
#include "tests/e2e/driver/Quellix.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    setvbuf(stdout, NULL, _IONBF, 0);
    setvbuf(stderr, NULL, _IONBF, 0);
    // Read every window in real pixels, as the per-monitor aware program sees
    // them (SetProcessDPIAware: Vista and later).
    typedef BOOL(WINAPI * SetAwareFn)();
    if (auto setAware = reinterpret_cast<SetAwareFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        setAware();
    ::testing::InitGoogleTest(&argc, argv);
    printf("Program under test: %s\n", e2e::quellix::ExePath().c_str());
    return RUN_ALL_TESTS();
}

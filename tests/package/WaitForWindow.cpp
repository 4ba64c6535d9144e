// WaitForWindow <caption> <timeout ms>
//   Waits for a visible top-level window with this caption. Prints "shown" and
//   exits 0, or exits 1 when none shows in time. Used by installer_test.sh.
#include "tests/helpers/VisibleWindow.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: WaitForWindow <caption> <timeout ms>\n");
        return 2;
    }
    if (!WaitForVisibleWindow(argv[1], static_cast<DWORD>(atol(argv[2]))))
        return 1;
    printf("shown\n");
    return 0;
}

// The names through which Quellix meets other processes: later copies of
// itself, the shell, and the end-to-end tests, which take them from here.
#pragma once
#include <cstdint>

namespace quellix {

// The semaphore through which every copy of the program on a desktop meets the first.
constexpr char kSingleInstanceName[] = "OnlyOneCopy_Quellix_5D31A07F42C8_7E2C_4B19_A6D3_0F58C2E19D4A";
constexpr long kSingleInstanceMaxCount = 65535;

// The property that marks the dialog of the running copy, and its value.
constexpr char kCommandWindowProperty[] = "Quellix.CommandWindow.5D31A07F42C8";
constexpr std::uintptr_t kCommandWindowMark = 0x51584357;  // "QXCW"
// WM_COPYDATA's dwData for a command, and the most text one may hold.
constexpr std::uintptr_t kCommandDataTag = 0x51584331;  // "QXC1"
constexpr unsigned long kMaxCommandBytes = 1024;
// The answer: a tag in the high word (a window that does not know the
// message answers 0), the exit status in the low word.
constexpr std::intptr_t kCommandReplyTag = 0x51580000;

// The id of the notification-area icon, with which the shell's callback comes.
constexpr unsigned kTrayIconId = 1;

}  // namespace quellix

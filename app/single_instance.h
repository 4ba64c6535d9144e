// The name through which every copy of the program on a desktop meets the first.
#pragma once

namespace quellix {
constexpr char kSingleInstanceName[] = "OnlyOneCopy_Quellix_5D31A07F42C8_7E2C_4B19_A6D3_0F58C2E19D4A";
constexpr long kSingleInstanceMaxCount = 65535;
}  // namespace quellix

// ASCII lower-casing: the program's texts are ASCII, and any other byte (a
// code page's letter) stays as it is, whatever the C library's locale says.
#pragma once
#include <string>

namespace afx {

inline std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace afx

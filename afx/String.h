// CString: the framework's ANSI string, a thin value type over std::string.
#pragma once
#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const std::string& text) : m_text(text) {}

    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    bool IsEmpty() const { return m_text.empty(); }

    CString& operator=(const char* text);

    // Lower-cases the whole string (ASCII, as the program's texts are).
    void MakeLower();
    // Loads a string resource of the program; false (and empty) when missing.
    bool LoadString(unsigned id);

    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }

private:
    std::string m_text;
};

#include "afx/String.h"

#include <windows.h>

#include "afx/ascii.h"

#include <cstdarg>
#include <cstdio>

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
        m_text.swap(text);
    }
    va_end(args);
}

void CString::MakeLower() { m_text = afx::AsciiLower(std::move(m_text)); }

bool CString::LoadString(unsigned id)
{
    char buffer[256];
    int length = ::LoadStringA(::GetModuleHandleA(NULL), id, buffer, sizeof buffer);
    m_text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    return length > 0;
}

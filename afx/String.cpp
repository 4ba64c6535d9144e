#include "afx/String.h"

#include <windows.h>

#include "afx/ascii.h"

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

void CString::MakeLower() { m_text = afx::AsciiLower(std::move(m_text)); }

bool CString::LoadString(unsigned id)
{
    char buffer[256];
    int length = ::LoadStringA(::GetModuleHandleA(NULL), id, buffer, sizeof buffer);
    m_text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    return length > 0;
}

#include "afx/App.h"

#include "afx/Wnd.h"

namespace {
CWinApp* g_pApp = NULL;

CString ExecutableBaseName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    std::string base(name);
    size_t dot = base.rfind('.');
    if (dot != std::string::npos)
        base.resize(dot);
    return CString(base);
}
}  // namespace

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName)
        m_strAppName = pszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = NULL;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource)); }

int CWinApp::DoMessageBox(const char* prompt, UINT nType)
{
    // An OK box without an icon of its own gets the exclamation mark, as the framework's always did.
    if ((nType & MB_ICONMASK) == 0 && ((nType & MB_TYPEMASK) == MB_OK || (nType & MB_TYPEMASK) == MB_OKCANCEL))
        nType |= MB_ICONEXCLAMATION;
    HWND hOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : NULL;
    if (hOwner && !::IsWindowVisible(hOwner))
        hOwner = NULL;
    return ::MessageBoxA(hOwner, prompt, m_strAppName, nType);
}

CWinApp* AfxGetApp() { return g_pApp; }

int AfxMessageBox(const char* prompt, UINT nType)
{
    if (g_pApp)
        return g_pApp->DoMessageBox(prompt, nType);
    return ::MessageBoxA(NULL, prompt, NULL, nType);
}

int AfxRunApplication(HINSTANCE hInstance)
{
    CWinApp* pApp = g_pApp;
    if (!pApp)
        return 1;
    pApp->m_hInstance = hInstance;
    if (pApp->m_strAppName.IsEmpty())
        pApp->m_strAppName = ExecutableBaseName();
    pApp->InitInstance();
    return pApp->ExitInstance();
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) { return AfxRunApplication(hInstance); }

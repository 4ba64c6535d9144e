// CWnd: a window object that owns no more than its subclassing. Every message
// of a window attached to a CWnd goes through one entry point (AfxWndProc),
// then through the class's message table, then to the window's original
// procedure.
#pragma once
#include <windows.h>

#include "afx/MessageMap.h"
#include "afx/String.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = NULL;

    // Attaching to windows made elsewhere (dialog controls).
    bool SubclassWindow(HWND hWnd);

    // Creating a window of a registered class (popups).
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth,
                  int nHeight, HWND hWndParent, UINT nID);
    BOOL DestroyWindow();

    // The message path. PostNcDestroy runs once the window is gone and no
    // message of it is being handled any more, so an object may delete itself
    // there even when its window was destroyed from inside one of its handlers.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Data exchange between members and controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(class CDataExchange*) {}

    // Plain wrappers of the window functions this program needs.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void GetWindowText(CString& text) const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    BOOL SetForegroundWindow();
    HWND SetFocus();
    void GetClientRect(LPRECT rect) const;
    void Invalidate(BOOL bErase = TRUE);
    BOOL MoveWindow(int x, int y, int width, int height, BOOL bRepaint = TRUE);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    int MessageBox(const char* text, const char* caption = NULL, UINT type = MB_OK);

    // Child controls by id.
    HWND GetDlgItem(int nID) const;
    // Disabling the control with the focus first moves the focus to the next
    // enabled tab stop, as the dialog manager would.
    void EnableDlgItem(int nID, BOOL bEnable);
    void SetDlgItemText(int nID, const char* text);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    // Dispatches through the message tables; false when no row handles the message.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND hWnd);
    void DetachAfterDestroy();

    WNDPROC m_pfnSuper = NULL;     // the window's own procedure before subclassing
    MSG m_currentMsg = {};         // the message being handled, for Default()
    int m_nDispatchDepth = 0;      // messages of this object being handled, nested
    bool m_bNcDestroyDue = false;  // the window is gone; PostNcDestroy waits for the outermost message
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// CNotifierWnd: a small top-most popup that rises from the bottom of the work
// area, shows a few lines of text on a gradient, stays, sinks and destroys
// itself. Created on the heap and forgotten by its creator.
// Its text is also its window text, and it raises an alert event as it
// appears, so that screen readers announce it; it never takes the keyboard.
// Under high contrast it is drawn in the system's tooltip colours.
#pragma once
#include "afx/afxwin.h"
#include "controls/Gradient.h"
#include "tray/notifier_motion.h"

class CNotifierWnd : public CWnd {
public:
    // Width and height in pixels at 96 DPI; the popup scales them (and all its
    // offsets) to the resolution of the monitor it rises on.
    CNotifierWnd(int nWidth, int nHeight);
    ~CNotifierWnd() override;

    void SetText(const CString& text) { m_strText = text; }
    void SetStayTime(int seconds) { m_nStayTime = seconds * 1000; }
    BOOL SetBitmap(UINT nIDResource);
    // Creates the window and starts the animation; the object deletes itself when done.
    BOOL Popup(COLORREF crFirst, COLORREF crMiddle, COLORREF crLast);

    // Popups launched and not yet gone; each new one stands 10 pixels further left.
    static int s_nOpenCount;

protected:
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

private:
    RECT m_rcWindow;
    RECT m_rcWorkArea;
    UINT m_nDpi;
    int m_nWidth;
    int m_nHeight;
    int m_nStayTime;
    CString m_strText;
    CGradient m_gradient;
    CBitmap* m_pBitmap;
    quellix::NotifierMotion* m_pMotion;
    bool m_bCounted;
    bool m_bAnnounced;

    DECLARE_MESSAGE_MAP()
};

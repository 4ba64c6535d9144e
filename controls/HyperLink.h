// CHyperLink: a static text control shown as a mail link. A left click, or
// Enter or Space while it has the keyboard (it takes a tab stop), starts the
// registered mail program with the control's text as the address. Under high
// contrast it is drawn in the system's link colour.
#pragma once
#include "afx/afxwin.h"

class CHyperLink : public CStatic {
public:
    CHyperLink() = default;
    ~CHyperLink() override = default;

    static const COLORREF kUnvisited = 0xFF0000;  // blue
    static const COLORREF kVisited = 0x800080;    // purple

protected:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);

private:
    void ShowHandAndDefault();
    void StartMailProgram();
    // What a click, Enter and Space do alike.
    void Follow();
    COLORREF LinkColor() const;

    bool m_bVisited = false;

    DECLARE_MESSAGE_MAP()
};

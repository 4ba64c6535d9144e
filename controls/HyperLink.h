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
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    // Every other mouse message: the hand, then the default processing.
    LRESULT OnMouseMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);

private:
    void StartMailProgram();
    // What a click, Enter and Space do alike.
    void Follow();
    COLORREF LinkColor() const;

    bool m_bVisited = false;

    DECLARE_MESSAGE_MAP()
};

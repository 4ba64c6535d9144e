// Dialog data exchange: one DDX_/DDV_ call per control and member, run in
// order in both directions. When reading controls back, the first failing
// step reports, puts the focus on its control and turns the remaining steps
// into no-ops, so members after it keep their values.
#pragma once
#include <windows.h>

#include "afx/Time.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members with validation
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    void Fail();
    bool Failed() const { return m_bFailed; }

private:
    HWND m_hWndLastControl = NULL;
    bool m_bEditLastControl = false;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// An integer field that is not to be validated now: when reading, a number
// from minVal to maxVal is taken, anything else keeps `value` and reports
// nothing; when writing, as DDX_Text.
void DDX_TextIfInRange(CDataExchange* pDX, int nIDC, int& value, int minVal, int maxVal);

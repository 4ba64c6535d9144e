// Message tables: plain arrays of {message, notification code, id range,
// handler signature, handler}, one per class, chained to the base class's.
// A row is written with one of the ON_... macros below, which check the
// handler's signature at compile time.
#pragma once
#include <windows.h>

class CWnd;

typedef void (CWnd::*AFX_PMSG)();

enum AfxSig {
    AfxSig_end = 0,
    AfxSig_vv,    // void ()
    AfxSig_vw,    // void (UINT_PTR)                 WM_TIMER
    AfxSig_vwl,   // void (UINT, LPARAM)             WM_SYSCOMMAND
    AfxSig_vwWb,  // void (UINT, CWnd*, BOOL)        WM_ACTIVATE
    AfxSig_hv,    // HCURSOR ()                      WM_QUERYDRAGICON
    AfxSig_lwl,   // LRESULT (WPARAM, LPARAM)        any message
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;  // notification code for WM_COMMAND rows
    UINT nID;    // first and last control or command id for WM_COMMAND rows
    UINT nLastID;
    AfxSig nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr                                                                                \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]};                                     \
    return &map;                                                                                                       \
    }

#define AFX_HANDLER(signature, fn) reinterpret_cast<AFX_PMSG>(static_cast<signature>(&ThisClass::fn))

#define ON_COMMAND(id, fn) {WM_COMMAND, 0, (id), (id), AfxSig_vv, AFX_HANDLER(void(CWnd::*)(), fn)},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, (code), (id), (id), AfxSig_vv, AFX_HANDLER(void(CWnd::*)(), fn)},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_MESSAGE(message, fn) {(message), 0, 0, 0, AfxSig_lwl, AFX_HANDLER(LRESULT(CWnd::*)(WPARAM, LPARAM), fn)},

#define AFX_ON_VOID(message, fn) {(message), 0, 0, 0, AfxSig_vv, AFX_HANDLER(void(CWnd::*)(), fn)},
#define ON_WM_PAINT() AFX_ON_VOID(WM_PAINT, OnPaint)
#define ON_WM_DESTROY() AFX_ON_VOID(WM_DESTROY, OnDestroy)
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_vw, AFX_HANDLER(void(CWnd::*)(UINT_PTR), OnTimer)},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, AfxSig_vwl, AFX_HANDLER(void(CWnd::*)(UINT, LPARAM), OnSysCommand)},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, AfxSig_vwWb, AFX_HANDLER(void(CWnd::*)(UINT, CWnd*, BOOL), OnActivate)},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, 0, AfxSig_hv, AFX_HANDLER(HCURSOR(CWnd::*)(), OnQueryDragIcon)},

// The main dialog as a whole: construction, data exchange, initialisation,
// the system menu, painting when minimised, closing and destruction.
#include "dialog/ShutdownDlg.h"

#include "controls/AboutDlg.h"
#include "controls/Banner.h"
#include "controls/ControlFont.h"
#include "controls/Dpi.h"
#include "controls/dpi_scale.h"
#include "dialog/settings_values.h"
#include "resource.h"
#include "schedule/SystemVersion.h"

using namespace quellix;

namespace {

// The controls that take the dialog's Tahoma font, in the order they get it.
const int kFontControls[] = {IDC_ACTION_GROUP, IDC_ACTION,  IDC_DESCRIPTION, IDC_TIME_GROUP, IDC_NOW,
                             IDC_RADIO_AT,     IDC_TIME_AT, IDC_RADIO_AFTER, IDC_DURATION,   IDC_MIN_LABEL,
                             IDC_REMAINING,    IDC_OK,      IDC_CANCEL,      IDC_CONFIRM,    IDC_HIDE_ON_MINIMIZE};

HICON LoadSmallIcon(UINT id)
{
    return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_SHARED));
}
}  // namespace

BEGIN_MESSAGE_MAP(CShutdownDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_ACTIVATE()
    ON_BN_CLICKED(IDC_RADIO_AT, OnAt)
    ON_BN_CLICKED(IDC_RADIO_AFTER, OnAfter)
    ON_BN_CLICKED(IDC_OK, OnOkButton)
    ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
    ON_WM_TIMER()
    ON_CBN_SELCHANGE(IDC_ACTION, OnSelChangeAction)
    ON_BN_CLICKED(IDC_NOW, OnNow)
    ON_WM_DESTROY()
    ON_COMMAND(ID_TRAY_RESTORE, OnRestore)
    ON_COMMAND(ID_TRAY_STOP_TIMER, OnStopTimer)
    ON_COMMAND(ID_TRAY_ASK_CONFIRM, OnAskConfirmation)
    ON_COMMAND(ID_TRAY_HIDE, OnHide)
    ON_COMMAND(ID_TRAY_EXIT, OnExit)
    ON_COMMAND(ID_TRAY_ABOUT, OnAbout)
    ON_BN_CLICKED(IDC_HIDE_ON_MINIMIZE, OnHideOnMinimize)
    ON_BN_CLICKED(IDC_CONFIRM, OnConfirmClicked)
    ON_MESSAGE(WM_WATCHER_RESTORE, OnWatcherRestore)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_MESSAGE(WM_START_WATCHER, OnStartWatcher)
    ON_MESSAGE(WM_COPYDATA, OnCopyData)
    ON_MESSAGE(WM_RUN_COMMAND, OnRunCommand)
    ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
END_MESSAGE_MAP()

CShutdownDlg::CShutdownDlg(HANDLE hSemaphore, CWnd* pParent)
    : CDialog(IDD_QUELLIX_DIALOG, pParent), m_hSemaphore(hSemaphore), m_bConfirm(TRUE), m_nDuration(5), m_timeAt(0),
      m_nTimingMode(0), m_bNow(TRUE), m_bHideOnMinimize(FALSE), m_hIcon(NULL), m_hIconSmall(NULL), m_hIconTray(NULL),
      m_bRunning(FALSE), m_bMayClose(TRUE), m_bNotify(TRUE), m_bInTray(FALSE), m_bTrayIconHidden(FALSE),
      m_nRemaining(0), m_nid(), m_hWatcher(NULL), m_hWatcherStop(NULL)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_hIconTray = LoadSmallIcon(IDI_TRAY_OLD);
    m_hIconSmall = LoadSmallIcon(IDI_SMALL);
    m_bmpRestore.LoadBitmap(IDB_RESTORE);

    CString about;
    about.LoadString(IDS_ABOUTBOX);

    m_menuTray.CreatePopupMenu();
    m_menuTray.AppendMenu(MF_STRING, ID_TRAY_RESTORE, "Restore");
    m_menuTray.AppendMenu(MF_SEPARATOR);
    m_menuTray.AppendMenu(MF_STRING, ID_TRAY_STOP_TIMER, "Stop Timer");
    m_menuTray.AppendMenu(MF_STRING, ID_TRAY_ASK_CONFIRM, "Ask Confirmation");
    m_menuTray.AppendMenu(MF_SEPARATOR);
    if (!about.IsEmpty())
        m_menuTray.AppendMenu(MF_STRING, ID_TRAY_ABOUT, about);
    m_menuTray.AppendMenu(MF_SEPARATOR);
    m_menuTray.AppendMenu(MF_STRING, ID_TRAY_HIDE, "Hide");
    m_menuTray.AppendMenu(MF_STRING, ID_TRAY_EXIT, "Exit");
    m_menuTray.SetDefaultItem(ID_TRAY_RESTORE);
    m_menuTray.SetMenuItemBitmaps(ID_TRAY_RESTORE, MF_BYCOMMAND, m_bmpRestore, m_bmpRestore);
}

CShutdownDlg::~CShutdownDlg()
{
    StopWatcher();  // normally done by OnDestroy; harmless twice
    m_menuTray.DestroyMenu();
    m_bmpRestore.DeleteObject();
}

void CShutdownDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONFIRM, m_btnConfirm);
    DDX_Control(pDX, IDC_ACTION, m_comboAction);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Check(pDX, IDC_CONFIRM, m_bConfirm);
    // The minutes are checked only in the "after" mode, the one that uses them,
    // so a bad value cannot block "Now" or "at"; in the other modes a valid
    // value typed earlier is still taken, and stored with the other choices.
    if (!pDX->m_bSaveAndValidate || MinutesInUse()) {
        DDX_Text(pDX, IDC_DURATION, m_nDuration);
        DDV_MinMaxInt(pDX, m_nDuration, quellix::kMinutesMin, quellix::kMinutesMax);
    } else {
        DDX_TextIfInRange(pDX, IDC_DURATION, m_nDuration, quellix::kMinutesMin, quellix::kMinutesMax);
    }
    DDX_DateTimeCtrl(pDX, IDC_TIME_AT, m_timeAt);
    DDX_Radio(pDX, IDC_RADIO_AT, m_nTimingMode);
    DDX_Check(pDX, IDC_NOW, m_bNow);
    DDX_Check(pDX, IDC_HIDE_ON_MINIMIZE, m_bHideOnMinimize);
}

bool CShutdownDlg::MinutesInUse() const
{
    return ::IsDlgButtonChecked(m_hWnd, IDC_NOW) == BST_UNCHECKED &&
           ::IsDlgButtonChecked(m_hWnd, IDC_RADIO_AFTER) == BST_CHECKED;
}

BOOL CShutdownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, NULL);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ApplyDpi(WindowDpi(m_hWnd));  // and the small icon
    SetDlgItemText(IDC_REMAINING, "");

    SendDlgItemMessage(IDC_DURATION_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(IDC_DURATION)));
    SendDlgItemMessage(IDC_DURATION_SPIN, UDM_SETRANGE, 0, MAKELPARAM(quellix::kMinutesMax, quellix::kMinutesMin));
    m_progress.SetRange(0, 100);
    m_progress.SetStep(1);

    m_timeAt = CTime::GetCurrentTime() + kDefaultLeadSeconds;
    SetPickerTime(m_timeAt);

    SetUpTray();  // reads the version record, which also decides the list below
    FillActionList(ReadSystemVersion());

    LoadSettings();
    Apply(m_model.ConfirmationSet(m_btnConfirm.GetCheck() != BST_UNCHECKED));
    OnSelChangeAction();
    OnNow();
    // The watcher is not needed to show the dialog: it starts once the dialog
    // has been drawn. A later copy's wake-up meanwhile stays in the semaphore.
    if (m_hSemaphore)
        PostMessage(WM_START_WATCHER);
    PublishCommandWindow();
    return TRUE;
}

LRESULT CShutdownDlg::OnStartWatcher(WPARAM, LPARAM)
{
    ::UpdateWindow(m_hWnd);  // draws the dialog first, if it is shown and not drawn yet
    if (!m_hWatcherStop)
        StartWatcher();
    return 0;
}

void CShutdownDlg::ApplyDpi(UINT dpi)
{
    ApplyControlFont(m_hWnd, kFontControls, m_font, dpi);  // on failure the controls keep their font
    // At 96 DPI the template's banner is already the right picture.
    if (dpi != kDefaultDpi || m_bmpBanner.GetSafeHandle())
        FitBanner(FindBannerStatic(m_hWnd), IDB_BANNER, dpi, m_bmpBanner);
    m_icon.Fit(m_hWnd, IDI_DIALOG_ICON, dpi);
    // The title bar's small icon, drawn for this resolution; the tray's keeps
    // the system's, the resolution of the task bar.
    const int small = SystemMetricForDpi(SM_CXSMICON, dpi);
    if (small == ::GetSystemMetrics(SM_CXSMICON)) {
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
        return;
    }
    // Not shared: the system's shared copy of the resource may be one of
    // another size.
    HICON hSmall = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_SMALL), IMAGE_ICON, small, small, 0));
    if (!hSmall)
        return;
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hSmall));
    m_smallIconForDpi.Attach(hSmall);  // frees the one shown before
}

// Moved to a monitor of another resolution: the system lays the dialog's
// controls out anew, and the font, banner and icon follow.
LRESULT CShutdownDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    ApplyDpi(TakeDpiChange(m_hWnd, wParam, lParam));
    return result;
}

void CShutdownDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CShutdownDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CShutdownDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

// Escape, the close box, Alt+F4: hide while counting, close while idle.
void CShutdownDlg::OnCancel() { Apply(m_model.Escape()); }

void CShutdownDlg::OnHideOnMinimize()
{
    m_bHideOnMinimize = ::IsDlgButtonChecked(m_hWnd, IDC_HIDE_ON_MINIMIZE) == BST_CHECKED;
    Apply(m_model.HideOnMinimizeSet(m_bHideOnMinimize != FALSE));
}

// The session ends while a countdown runs: nothing is to be kept awake or woken for.
LRESULT CShutdownDlg::OnEndSession(WPARAM wParam, LPARAM)
{
    if (wParam)
        Apply(m_model.SessionEnding());
    return 0;
}

void CShutdownDlg::OnDestroy()
{
    StopWatcher();
    ForgetCommandWindow();
    m_font.DeleteObject();
    Default();
}

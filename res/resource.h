// Resource identifiers shared by the resource script and the code.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_QUELLIX_DIALOG 102

// Strings
#define IDS_ABOUTBOX 101

// Icons
#define IDR_MAINFRAME 128
#define IDI_DIALOG_ICON 135
#define IDI_SMALL 139
#define IDI_TRAY_OLD 141

// Bitmaps
#define IDB_BANNER 131
#define IDB_RESTORE 136
#define IDB_NOTIFIER 140

// Cursor
#define IDC_HAND_LINK 134

// Controls of the main dialog
#define IDC_ACTION 1000
#define IDC_OK 1004
#define IDC_CANCEL 1005
#define IDC_TIME_AT 1006
#define IDC_CONFIRM 1007
#define IDC_DURATION 1008
#define IDC_DURATION_SPIN 1009
#define IDC_PROGRESS 1011
#define IDC_MIN_LABEL 1012
#define IDC_REMAINING 1015
#define IDC_DESCRIPTION 1017
#define IDC_RADIO_AT 1018
#define IDC_RADIO_AFTER 1019
#define IDC_NOW 1021
#define IDC_TIME_GROUP 1024
#define IDC_ACTION_GROUP 1025
#define IDC_HIDE_ON_MINIMIZE 1029
// Hidden labels that name the controls without text of their own
#define IDC_ACTION_NAME 1033
#define IDC_TIME_AT_NAME 1034
#define IDC_DURATION_NAME 1035
#define IDC_PROGRESS_NAME 1036

// Controls of the About box
#define IDC_MAIL_LINK 1022
#define IDC_ABOUT_VERSION 1026
#define IDC_ABOUT_COPYRIGHT 1027

// Tray menu commands
#define ID_TRAY_RESTORE 1026
#define ID_TRAY_STOP_TIMER 1027
#define ID_TRAY_ASK_CONFIRM 1028
#define ID_TRAY_EXIT 1030
#define ID_TRAY_ABOUT 1031
#define ID_TRAY_HIDE 1032

// System menu command of the About entry
#define IDM_ABOUTBOX 0x0010

// Tray icon callback message
#define WM_TRAYNOTIFY (0x0400 + 5)

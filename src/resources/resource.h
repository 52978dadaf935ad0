// Resource and control identifiers, shared by the program, its .rc file and the window tests.
#pragma once

#define IDI_ZARK 1

#define IDR_MAINMENU 100
#define IDR_ACCELERATORS 101
// The manifest of the common controls of Windows' own look; 1 is the program's.
#define IDR_COMMONCONTROLS 2

#define IDB_BACKGROUND 110
#define IDB_ACTIVE 111
#define IDB_DEACTIVE 112
#define IDB_FSACTIVE 113
#define IDB_FSDEACTIVE 114

// The same pictures drawn at twice the resolution, compressed, in a resource type of their own,
// which the program file holds after everything that a screen at 100 % reads. A picture may be
// cut into horizontal strips that follow each other from the top under consecutive ids: the
// background comes in four, from 130 to 133.
#define RT_LARGEPICTURE 256
#define IDB_ACTIVE_2X 121
#define IDB_DEACTIVE_2X 122
#define IDB_FSACTIVE_2X 123
#define IDB_FSDEACTIVE_2X 124
#define IDB_BACKGROUND_2X 130

// Menu commands of the main window.
#define IDM_ACTIVATEZARK 1001
#define IDM_DEACTIVATEZARK 1002
#define IDM_ACTIVATEZARKFS 1003
#define IDM_DEACTIVATEZARKFS 1004
#define IDM_RUNTIBERIANSUN 1005
#define IDM_EXITLAUNCHER 1006
#define IDM_SHOWREADME 1011
#define IDM_SHOWHISTORY 1012
#define IDM_SHOWLAUNCHERHISTORY 1013
#define IDM_VISITHOMEPAGE 1021
#define IDM_VISITNVARO 1022
#define IDM_VIEWABOUT 1031
#define IDM_VIEWHELP 1032

// The main window's indicators, one per variant (child window ids).
#define IDC_MODSTATUS 201
#define IDC_FSMODSTATUS 202

// Controls of the About box.
#define IDC_CMDOK 301
#define IDC_LBLLABELS 302
#define IDC_LABEL1 303
#define IDC_LABEL2 304
#define IDC_LABEL3 305

// Window class names the tests look for.
#define ZARK_MAIN_CLASS L"ZARKMain"
#define ZARK_ABOUT_CLASS L"ZARKAbout"

// Resource numbers of Quillmar, by kind. Read by the resource compiler and by the C++ code.
#pragma once

// Dialog templates
#define IDD_MAIN 102
#define IDD_SETUP 103

// Icons
#define IDI_PROGRAM 104
#define IDI_FOLDER 105
#define IDI_DRIVE 106

// Controls of the setup dialog
#define IDC_LEFT_MARGIN 1003
#define IDC_RIGHT_MARGIN 1004
#define IDC_TOP_MARGIN 1005
#define IDC_BOTTOM_MARGIN 1006
#define IDC_SINGLE_SHEETS 1007
#define IDC_PAGE_NUMBERS 1008
#define IDC_LINE_NUMBERS 1009
#define IDC_IGNORE_FORMFEEDS 1010
#define IDC_FONTS 1013

// Controls of the main window
#define IDC_FILE_LIST 1011
#define IDC_DRIVES 1012
#define IDC_PATH_FRAME 1014
#define IDC_SUMMARY_FRAME 1015

// Commands of the main window
#define IDM_SETUP 40001
#define IDM_VIEW 40002
#define IDM_PRINT 40003
#define IDM_DELETE 40004
#define IDM_ABOUT 40005
#define IDM_PREVIEW 40006
// Posted by the preview's Ctrl+P: prints the file it showed, the caret row, alone.
#define IDM_PRINT_PREVIEWED 40007

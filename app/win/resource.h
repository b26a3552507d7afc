// Resource and command numbers of SCANWQ32.EXE (shared by the resource
// script and the code).
#pragma once

// Menu commands.
#define IDM_OPEN 100
#define IDM_CLOSE 101
#define IDM_SAVE 102
#define IDM_SAVEAS 103
#define IDM_NOP1 104
#define IDM_NOP2 105
#define IDM_EXIT 106
#define IDM_ACQUIRE 107
#define IDM_UNDO 110
#define IDM_FIT 111
#define IDM_ZOOMIN 112
#define IDM_ZOOMOUT 113
#define IDM_ROTATERIGHT 114
#define IDM_ROTATELEFT 115
#define IDM_FLIPH 116
#define IDM_FLIPV 117
#define IDM_TOOLS 118
#define IDM_CASCADE 119
#define IDM_TILE 120
#define IDM_ARRANGE 121
#define IDM_CLOSEALL 122
#define IDM_HELPINDEX 123
#define IDM_HELPKEYS 124
#define IDM_HELPHELP 125
#define IDM_DEBUGKEY 130
#define IDM_ABOUT 199
#define IDM_FIRSTCHILD 4100
#define IDC_MDICLIENT 3244

// Status bar progress command.
#define IDM_PROGRESS 0x403

// Dialog controls.
#define IDC_VERSION 240
// The ADF question and the ADF Setting dialog (the values of app/batch.h).
#define IDC_ADF_TEXT 219
#define IDC_ADF_NONE 217
#define IDC_ADF_USE 218
#define IDC_ADF_ALL 222
#define IDC_ADF_PAGES 223
#define IDC_ADF_SCANSAVE 225
#define IDC_ADF_SCANDISPLAY 226
#define IDC_ADF_PAGECOUNT 230
#define IDC_ADF_START 231
#define IDC_ADF_INCREMENT 232
#define IDC_IBMPC 212
#define IDC_MACINTOSH 213
#define IDC_LZW 216

// Settings file name and its section and key names.
#define IDS_INIFILE 530
#define IDS_SEC_FILE 531
#define IDS_SEC_OPTION 533
#define IDS_KEY_LISTTYPE 540
#define IDS_KEY_DIRS 541
#define IDS_KEY_DRIVES 542
#define IDS_KEY_TIFF 543
#define IDS_KEY_WORKDRIVE 547
#define IDS_KEY_AUTOACQUIRE 548
#define IDS_KEY_BLACKISZERO 563
#define IDS_TITLE 560
#define IDS_VERSION 561
#define IDS_TITLE2 562
#define IDS_TWAIN32 1000
#define IDS_TWAINDSM 1001

// The numbered messages: English at 2000 + n, Japanese at 3000 + n; the
// entry after the last is the text for numbers outside the table.
#define IDS_MSG_EN 2000
#define IDS_MSG_JA 3000

// Other texts: English at 4000 + k, Japanese at 4500 + k.
#define IDS_TEXT_EN 4000
#define IDS_TEXT_JA 4500
#define TXT_READING 0
#define TXT_SAVING 1
#define TXT_ROTATING 2
#define TXT_FLIPPING 3
#define TXT_SCANNING_NAME 4
#define TXT_SCANNING 5
#define TXT_CROPPING 6
#define TXT_ESCHINT 7
#define TXT_SAVEQUESTION 8
#define TXT_REPLACE 9
#define TXT_SAVEAS 10
#define TXT_CANTUNDO 11
#define TXT_UNDOROTATE 12
#define TXT_UNDOFLIP 13
#define TXT_UNDOCROP 14
#define TXT_REDOROTATE 15
#define TXT_REDOFLIP 16
#define TXT_REDOCROP 17
#define TXT_SHOWTOOLS 18
#define TXT_HIDETOOLS 19

// The tool box: its close button and the five tools.
#define IDC_TOOL_CLOSE 400
#define IDC_TOOL_HAND 450
#define IDC_TOOL_ZOOMIN 451
#define IDC_TOOL_ZOOMOUT 452
#define IDC_TOOL_CUT 453
#define IDC_TOOL_ROTATE 454
// The cut tool's moving outline.
#define IDT_SELECTION 1028

// Resource ids of the progress window: four dialogs, each with its
// Japanese twin, and the bar's controls and commands.
#pragma once

#define IDD_SCANNING_NO_UI 2101      /* "Scanning Image...": the source's window hidden */
#define IDD_SCANNING_NO_UI_JA 2100
#define IDD_SCANNING 2102            /* "Scanning image..." */
#define IDD_SCANNING_JA 2103
#define IDD_PREVIEWING 2202          /* "Previewing..." */
#define IDD_PREVIEWING_JA 2203
#define IDD_ZOOM_PREVIEWING 2204     /* "Zoom Previewing..." */
#define IDD_ZOOM_PREVIEWING_JA 2205

#define IDC_PROGRESS_FRAME 2104      /* the bar is centred in it */
#define IDC_PROGRESS_BAR 2105        /* ten blocks */
#define IDC_PROGRESS_TEXT 2106
#define IDM_PROGRESS_STEP 2108       /* draw one more block */
#define IDM_PROGRESS_RESET 2109      /* erase the bar */

// The scanning window's resource ids: its dialogs and controls, its menus and
// commands, and its tool windows. Plain defines, because the resource compiler
// reads this file too.
#pragma once

/* The scanning window: English template and its Japanese twin. */
#define IDD_MAIN 101
#define IDD_MAIN_JA 100
#define IDI_SOURCE 962

#define IDC_HIDDEN 102          /* owner-drawn, hidden: takes the Enter key */
#define IDC_SOURCE_TEXT 103
#define IDC_SOURCE_BUTTON 104
#define IDC_MODE_LABEL 105
#define IDC_MODE_TEXT 107
#define IDC_MODE_BUTTON 108
#define IDC_RES_LABEL 109
#define IDC_RES_TEXT 110
#define IDC_RES_BUTTON 111
#define IDC_AREA_LABEL 112
#define IDC_AREA_TEXT 113
#define IDC_AREA_BUTTON 114
#define IDC_ADJUST_LABEL 115
#define IDC_ADJUST_TEXT 116
#define IDC_ADJUST_BUTTON 117
#define IDC_MORE_LABEL 118
#define IDC_MORE_BUTTON 120
#define IDC_PREF_LABEL 121
#define IDC_PREF_BUTTON 123
#define IDC_MOVEMENT 126
#define IDC_PREVIEW_SWITCH 127
#define IDC_PREVIEW 128
#define IDC_ZOOM_PREVIEW 129
#define IDC_SCAN 130
#define IDC_HELP_BUTTON 134
#define IDC_FRAME_FIRST 135     /* 135-145: 3-D group frames drawn at paint */
#define IDC_FRAME_LAST 145

/* Per-model pop-up menus (six sub-menus each), English and Japanese. */
#define IDM_MENU_WQ215 70
#define IDM_MENU_WQ215_JA 71
#define IDM_MENU_WQ490 72
#define IDM_MENU_WQ490_JA 73
#define IDM_MENU_WQ140 85
#define IDM_MENU_WQ140_JA 86

/* Menu commands. */
#define CMD_SOURCE_FLATBED 10001
#define CMD_SOURCE_ADF 10002
#define CMD_SOURCE_FSU6 10003
#define CMD_SOURCE_FSU12 10004
#define CMD_MODE_MONO_THRESHOLD 10011
#define CMD_MODE_MONO_BAYER 10012
#define CMD_MODE_MONO_SPIRAL 10013
#define CMD_MODE_MONO_DISPERSED 10014
#define CMD_MODE_MONO_DIFFUSION 10015
#define CMD_MODE_COLOUR_THRESHOLD 10016
#define CMD_MODE_COLOUR_BAYER 10017
#define CMD_MODE_COLOUR_SPIRAL 10018
#define CMD_MODE_COLOUR_DISPERSED 10019
#define CMD_MODE_COLOUR_DIFFUSION 10020
#define CMD_MODE_GREY 10021
#define CMD_MODE_256 10022
#define CMD_MODE_FULL 10024
#define CMD_RES_72 10031
#define CMD_RES_75 10032
#define CMD_RES_100 10033
#define CMD_RES_144 10034
#define CMD_RES_150 10035
#define CMD_RES_180 10036
#define CMD_RES_200 10037
#define CMD_RES_300 10038
#define CMD_RES_360 10039
#define CMD_RES_400 10040
#define CMD_RES_600 10041
#define CMD_RES_1200 10042
#define CMD_RES_CUSTOM 10044
#define CMD_AREA_A3 10051
#define CMD_AREA_A4 10052
#define CMD_AREA_B4 10053
#define CMD_AREA_B5 10054
#define CMD_AREA_DOUBLE_LETTER 10055
#define CMD_AREA_LEGAL 10056
#define CMD_AREA_LETTER 10057
#define CMD_AREA_INVOICE 10058
#define CMD_AREA_4X5 10059
#define CMD_AREA_CUSTOM 10060
#define CMD_IMAGE_ADJUST 10061
#define CMD_THRESHOLD 10062
#define CMD_ZOOM_OFF 10063
#define CMD_ZOOM_ON 10064
#define CMD_FILM_POSITIVE 10065
#define CMD_FILM_NEGATIVE 10066
#define CMD_LIGHTNESS 10067
#define CMD_ADJUST_NONE 10071
#define CMD_ADJUST_CUSTOM 10072
#define CMD_COLOUR_MATCH_FIRST 10073
#define CMD_MONITOR_POPUP 65535

/* Tool windows: English template and Japanese twin. */
#define IDD_ZOOM 700
#define IDD_ZOOM_JA 701
#define IDD_PREFERENCE 1100
#define IDD_PREFERENCE_JA 1101
#define IDD_RESOLUTION 1200
#define IDD_RESOLUTION_JA 1201

/* Zoom window. */
#define IDC_ZOOM_RES 702
#define IDC_ZOOM_WIDTH 703
#define IDC_ZOOM_HEIGHT 704
#define IDC_ZOOM_SIZE 705
#define IDC_ZOOM_OUT_WIDTH 706
#define IDC_ZOOM_OUT_HEIGHT 707
#define IDC_ZOOM_UNIT_W 708
#define IDC_ZOOM_UNIT_H 709
#define IDC_ZOOM_SCALE_H 710
#define IDC_ZOOM_SCALE_V 711
#define IDC_ZOOM_ASPECT 712
#define IDC_ZOOM_OUT_SIZE 713

/* Resolution window. */
#define IDC_RESO_X 1202
#define IDC_RESO_Y 1203
#define IDC_RESO_LOCK 1204
#define IDC_RESO_RANGE 1205

/* Preference window. */
#define IDC_PREF_EDGES 1102
#define IDC_PREF_DROPOUT 1103
#define IDC_PREF_REVERSE 1104
#define IDC_PREF_SHOWINFO 1105
#define IDC_PREF_RULER 1106
#define IDC_PREF_KEEP 1107
#define IDC_PREF_SELECT 1108
#define IDC_PREF_INTERACTIVE 1109
#define IDC_PREF_UNITS 1110

/* Area window: the scan area typed in (modal); English template and
   Japanese twin, each field with its label and unit suffix. */
#define IDD_AREA 2800
#define IDD_AREA_JA 2801
#define IDC_AREA_LABEL_Y 2802
#define IDC_AREA_ORIGIN_Y 2803
#define IDC_AREA_UNIT_OY 2804
#define IDC_AREA_LABEL_X 2805
#define IDC_AREA_ORIGIN_X 2806
#define IDC_AREA_UNIT_OX 2807
#define IDC_AREA_LABEL_W 2808
#define IDC_AREA_WIDTH 2809
#define IDC_AREA_UNIT_W 2810
#define IDC_AREA_LABEL_H 2811
#define IDC_AREA_HEIGHT 2812
#define IDC_AREA_UNIT_H 2813

/* Texts of the windows (English; each Japanese twin is id + 30). */
#define IDS_MINIMISED_TITLE 12
#define IDS_CONTEXT_HELP_FILE 56
#define IDS_JA_OFFSET 30
#define IDS_RANGE_DPI 18210
#define IDS_INFO_MODEL 18211
#define IDS_INFO_SOURCE 18212
#define IDS_INFO_MODE 18213
#define IDS_INFO_RESOLUTION 18214
#define IDS_INFO_AREA 18215
#define IDS_INFO_PIXELS 18216
#define IDS_INFO_SIZE 18217
#define IDS_INFO_TITLE 18218
#define IDS_PREVIEW_TITLE 18219
#define IDS_EDGES_FIRST 18220   /* 18220-18223: Edges 1-4 */
#define IDS_DROPOUT_FIRST 18224 /* 18224-18227: DropOut 1-4 */
#define IDS_UNITS_FIRST 18228   /* 18228-18230: inches, cm, pixels */
#define IDS_MAIN_TITLE 18231
#define IDS_DPI 18232
#define IDS_ZOOM_PREVIEW_TITLE 18239
/* The information window's lines: labels and values, 7 of each. */
#define IDC_INFO_LABEL_FIRST 2751
#define IDC_INFO_VALUE_FIRST 2761

/* "SCSI Information" (the scanner choice, opened from the Preferences window
   and by an open that found no scanner), its Japanese twin, and the box shown
   while the buses are scanned. */
#define IDD_SCSI_INFO 1401
#define IDD_SCSI_INFO_JA 1400
#define IDC_SCSI_RESCAN 1402
#define IDC_SCSI_ADAPTER 1403
#define IDC_SCSI_BOARD 1407          /* PopupButton32: the "Board #%d" menu */
#define IDC_SCSI_ID_FIRST 1410       /* 1410-1417: the id labels "0".."7" */
#define IDC_SCSI_RADIO_FIRST 1420    /* 1420-1427 */
#define IDC_SCSI_TYPE_FIRST 1430     /* 1430-1437 */
#define IDC_SCSI_VENDOR_FIRST 1440   /* 1440-1447 */
#define IDC_SCSI_PRODUCT_FIRST 1450  /* 1450-1457 */
#define IDC_SCSI_REVISION_FIRST 1460 /* 1460-1467 */
#define IDD_BUS_SCAN 1601
#define IDD_BUS_SCAN_JA 1600
#define IDC_BUS_SCAN_TEXT 1602
#define IDC_PREF_SCSI 1111           /* the Preferences window's button */
#define IDS_SCSI_BOARD 18290         /* "Board #%d" (Japanese twin at + 30) */

/* Threshold and Lightness windows: English templates and Japanese twins.
   Both place their controls at WM_INITDIALOG; the templates give sizes. */
#define IDD_THRESHOLD 601
#define IDD_THRESHOLD_JA 600
#define IDC_THRESH_FRAME 602       /* etched frame round the histogram */
#define IDC_THRESH_HISTOGRAM 603   /* 256 x 100 pixels, painted by the window */
#define IDC_THRESH_SLIDER 604      /* TwoScrollBar32, one thumb */
#define IDC_THRESH_LABEL 605
#define IDC_THRESH_EDIT 606
#define IDC_THRESH_DEFAULT 55
#define IDD_LIGHTNESS 1001
#define IDD_LIGHTNESS_JA 1000
#define IDC_LIGHT_BAR_R 1002       /* bar and edit of each channel: R, G, B, W */
#define IDC_LIGHT_EDIT_R 1003
#define IDC_LIGHT_BAR_G 1004
#define IDC_LIGHT_EDIT_G 1005
#define IDC_LIGHT_BAR_B 1006
#define IDC_LIGHT_EDIT_B 1007
#define IDC_LIGHT_BAR_W 1008
#define IDC_LIGHT_EDIT_W 1009
#define IDC_LIGHT_LOCK 1010        /* LockButton32: R, G and B move together */
#define IDC_LIGHT_MIN 1012
#define IDC_LIGHT_MAX 1013
#define IDC_LIGHT_LABEL_FIRST 1014   /* 1014-1017: "R:" .. "W:" */
#define IDC_LIGHT_PERCENT_FIRST 1018 /* 1018-1021: the "%" after each edit */
#define IDC_LIGHT_DEFAULT 55
#define IDC_LIGHT_APPLY 56
#define IDS_LIGHT_MIN 18340          /* "Min %d" (Japanese twin at + 30) */
#define IDS_LIGHT_MAX 18341          /* "Max +%d" */
/* "Image Adjust": the window with its two tab buttons and the two pages
   shown in it one at a time (child dialogs), English and Japanese; the
   levels page's colour menu and the three values of "Auto". */
#define IDD_IMAGE_ADJUST 1800
#define IDD_IMAGE_ADJUST_JA 1801
#define IDC_ADJUST_AUTO 1802         /* GraphButton32 */
#define IDC_ADJUST_TAB_BC 1803       /* brightness and contrast */
#define IDC_ADJUST_TAB_LEVELS 1804
#define IDC_ADJUST_DEFAULT 55
#define IDD_BRIGHTNESS 501
#define IDD_BRIGHTNESS_JA 500
#define IDC_BRIGHT_BAR 502
#define IDC_BRIGHT_EDIT 503
#define IDC_CONTRAST_BAR 504
#define IDC_BRIGHT_LABEL 505
#define IDC_CONTRAST_LABEL 506
#define IDC_BRIGHT_MIN 507
#define IDC_BRIGHT_MAX 508
#define IDC_CONTRAST_MIN 509
#define IDC_CONTRAST_MAX 510
#define IDC_CONTRAST_EDIT 515
#define IDD_LEVELS 1700
#define IDD_LEVELS_JA 1701
#define IDC_LEVELS_FRAME 1702
#define IDC_LEVELS_COLOR_LABEL 1703
#define IDC_LEVELS_CHANNEL 1704
#define IDC_LEVELS_MENU 1705         /* PopupButton32 */
#define IDC_LEVELS_HISTOGRAM 1706    /* hidden: the histogram's place, 256 x 100 */
#define IDC_LEVELS_INPUT 1707        /* TwoScrollBar32, ordered */
#define IDC_LEVELS_INPUT_LABEL 1708
#define IDC_LEVELS_IN_BLACK 1709
#define IDC_LEVELS_IN_WHITE 1710
#define IDC_LEVELS_PICK_BLACK 1711   /* LockButton32 toggles */
#define IDC_LEVELS_PICK_WHITE 1712
#define IDC_LEVELS_OUTPUT_LABEL 1713
#define IDC_LEVELS_GRADIENT 1714     /* hidden: the gradient bar's place */
#define IDC_LEVELS_OUTPUT 1715       /* TwoScrollBar32, ordered */
#define IDC_LEVELS_OUT_BLACK 1717
#define IDC_LEVELS_OUT_WHITE 1718
#define IDM_LEVELS_COLOUR 83
#define IDM_LEVELS_COLOUR_JA 84
#define CMD_LEVELS_RED 10261
#define CMD_LEVELS_GREEN 10262
#define CMD_LEVELS_BLUE 10263
#define CMD_LEVELS_RGB 10264
#define CMD_LEVELS_GRAY 10265
#define IDR_AUTO_VALUES 22041        /* RCDATA: cut-off, cap, span factor */
#define IDC_PICK_BLACK_CURSOR 1720   /* the preview's cursors while a picker is on */
#define IDC_PICK_WHITE_CURSOR 1721

/* "Negative Film Correction": the film type menu and name, the colour
   balance (bar, edit, label and "%" per channel), the four adjustments
   (glyph button, label, bar, edit), the range labels; the type menu; the
   black-and-white film's name; the film model and base-level tables. */
#define IDD_FILM 901
#define IDD_FILM_JA 900
#define IDC_FILM_GROUP_COLOUR 902
#define IDC_FILM_TYPE_NAME 903
#define IDC_FILM_TYPE_MENU 904       /* PopupButton32 */
#define IDC_FILM_LABEL_R 906
#define IDC_FILM_BAR_R 907
#define IDC_FILM_EDIT_R 908
#define IDC_FILM_PERCENT_R 909
#define IDC_FILM_LABEL_G 910
#define IDC_FILM_BAR_G 911
#define IDC_FILM_EDIT_G 912
#define IDC_FILM_PERCENT_G 913
#define IDC_FILM_LABEL_B 914
#define IDC_FILM_BAR_B 915
#define IDC_FILM_EDIT_B 916
#define IDC_FILM_PERCENT_B 917
#define IDC_FILM_COLOUR_MIN 918
#define IDC_FILM_COLOUR_MAX 919
#define IDC_FILM_GROUP_ADJUST 920
#define IDC_FILM_LABEL_TONE 921
#define IDC_FILM_GLYPH_TONE 922      /* owner-drawn: back to the default */
#define IDC_FILM_BAR_TONE 923
#define IDC_FILM_EDIT_TONE 924
#define IDC_FILM_LABEL_HIGHLIGHT 925
#define IDC_FILM_GLYPH_HIGHLIGHT 926
#define IDC_FILM_BAR_HIGHLIGHT 927
#define IDC_FILM_EDIT_HIGHLIGHT 928
#define IDC_FILM_LABEL_MIDTONE 929
#define IDC_FILM_GLYPH_MIDTONE 930
#define IDC_FILM_BAR_MIDTONE 931
#define IDC_FILM_EDIT_MIDTONE 932
#define IDC_FILM_LABEL_SHADOW 933
#define IDC_FILM_GLYPH_SHADOW 934
#define IDC_FILM_BAR_SHADOW 935
#define IDC_FILM_EDIT_SHADOW 936
#define IDC_FILM_ADJUST_MIN 937
#define IDC_FILM_ADJUST_MAX 938
#define IDC_FILM_DEFAULT 55
#define IDC_FILM_APPLY 56
#define IDM_FILM_TYPE 87
#define IDM_FILM_TYPE_JA 88
#define CMD_FILM_GENERAL 10191       /* film type 1 */
#define CMD_FILM_SPECIAL 10192       /* film type 2 */
#define IDS_FILM_MONOCHROME 18400    /* film type 3's name (Japanese twin at + 30) */
#define IDR_FILM_BASE_215 22002      /* RCDATA: base levels, 7 words per type 1-3 */
#define IDR_FILM_BASE_215_MIRROR 22003
#define IDR_FILM_BASE_220 22004
#define IDR_FILM_BASE_140 22005
#define IDR_FILM_MODEL 22006         /* RCDATA: the colour film model, 24 words */
#define IDR_FILM_MODEL_SPECIAL 22007
/* "Color Adjust": the gamma curve editor, English and Japanese. The grid is
   a hidden place the window paints (256 x 256 pixels); the channel pop-up
   uses the levels page's colour menu (10261-10265 are channels 1-5). */
#define IDD_GAMMA 301
#define IDD_GAMMA_JA 300
#define IDC_GAMMA_GRID 302
#define IDC_GAMMA_CHANNEL_LABEL 303
#define IDC_GAMMA_CHANNEL_MENU 304   /* PopupButton32 */
#define IDC_GAMMA_CHANNEL 305
#define IDC_GAMMA_LOCK 306           /* LockButton32: GammaLock */
#define IDC_GAMMA_CHECK 307          /* "Gamma:": the curve of a gamma value */
#define IDC_GAMMA_EDIT 308
#define IDC_GAMMA_RANGE 309
#define IDC_GAMMA_LOAD 310
#define IDC_GAMMA_SAVE 311
#define IDC_GAMMA_LOCK_LABEL 312
#define IDS_GAMMA_SAVE_TITLE 18015   /* Japanese twins at + 1 */
#define IDS_GAMMA_LOAD_TITLE 18017
#define IDS_GAMMA_FILTER 18345       /* "Korva Gamma (*.GMA)" (Japanese twin at + 30) */
#define IDS_GAMMA_PATTERN 18346      /* "*.GMA" */
#define IDS_GAMMA_EXTENSION 18347    /* "GMA" */
#define IDS_GAMMA_DEFAULT_NAME 18348 /* "GAMMA" */

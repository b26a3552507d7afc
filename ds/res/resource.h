// Resource ids of the data source shared by the resource script and the code.
#pragma once

// "Reading the scanner model." while the source connects (English, Japanese).
#define IDD_CONNECT_STATUS 2601
#define IDD_CONNECT_STATUS_JA 2600
#define IDC_CONNECT_TEXT 2602

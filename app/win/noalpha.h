// "NoAlpha": an edit control that takes digits only and knows the range
// its number must lie in. Two registered messages: "SetRange" (low word
// of lParam the minimum, high word the maximum) and "ValidRange" (1 when
// the control's number lies in the range, bounds included, else 0).
#pragma once
#include <windows.h>

bool RegisterNoAlpha(HINSTANCE instance, UINT* setRange, UINT* validRange);

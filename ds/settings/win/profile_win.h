// Installing the Windows private-profile functions as the settings store's
// profile access.
#pragma once

namespace wq {
// Points g_Profile at the private-profile functions.
void UseWindowsProfile();
}  // namespace wq

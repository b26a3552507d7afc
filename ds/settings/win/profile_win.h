#pragma once

namespace wq {
// Points g_Profile at the private-profile functions.
void UseWindowsProfile();
}  // namespace wq

// The settings exchange between the source's window settings (brightness and
// contrast in -127..127) and the TWAIN side (-1000..1000).
#pragma once

namespace wq {

// Before a capability MSG_GET / MSG_GETCURRENT while the window is shown
// (state 5): the TWAIN side takes over the window's choices.
void RefreshTwainFromWindow();
// At each transfer request: without the window the TWAIN side goes into the
// settings; with it the TWAIN side takes the settings' raw values.
void ExchangeAtTransfer();

}  // namespace wq

// The source's string-table messages: a task-modal stop box without owner,
// with a beep, in the user's language (the Japanese twin at id + 1000 when
// the country is 81).
#pragma once

namespace wq {

// Whether the boxes are held back. An application that hid the source's
// window and turned the indicators off runs its transfers unattended: a
// box would wait for a user who is not watching (the application's call
// would never return), so the failure reaches it by its condition code
// alone. The session installs its rule (core/session.cpp); by default
// nothing is held back.
struct MessagePolicy {
  bool (*Muted)();
};
extern MessagePolicy g_MessagePolicy;

// Shows message `id` (the English id); returns the answer (kAnswerOk, ...).
// A box held back is answered as Cancel would be.
int ShowMessageById(int id, int buttons);
// The same for a message with one "%s", filled with `arg`.
int ShowMessageWithArg(int id, const char* arg, int buttons);

}  // namespace wq

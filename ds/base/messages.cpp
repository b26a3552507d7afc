// The string-table message boxes, shown through the host in the user's
// language unless the session holds them back.
#include "ds/base/messages.h"

#include "ds/base/environment.h"
#include "ds/base/host.h"
#include "ds/base/text.h"

namespace wq {
namespace {
bool NeverMuted() { return false; }
int Language(int id) { return g_Env.JapaneseUI ? id + text::kJapaneseOffset : id; }
}  // namespace

MessagePolicy g_MessagePolicy = {NeverMuted};

int ShowMessageById(int id, int buttons) {
  if (g_MessagePolicy.Muted()) return kAnswerCancel;
  return g_Host.ShowMessage(Language(id), buttons);
}

int ShowMessageWithArg(int id, const char* arg, int buttons) {
  if (g_MessagePolicy.Muted()) return kAnswerCancel;
  return g_Host.ShowMessageWith(Language(id), arg, buttons);
}

}  // namespace wq

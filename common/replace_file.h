// Moves a file over another one, replacing it (the last step of a safe save).
#pragma once

namespace wq {

bool ReplaceFileWith(const char* from, const char* to);

}  // namespace wq

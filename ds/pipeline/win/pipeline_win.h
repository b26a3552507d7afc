// The pipeline's platform records filled with Windows calls.
#pragma once

namespace wq {

void InstallPipelineFiles();   // FindFirstFile and ReadFile for colour matching

}  // namespace wq

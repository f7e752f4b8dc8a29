// Hints about memory the program is about to fill.
#pragma once

#include <cstddef>

namespace plandock::platform {

// Tells the system that the `bytes` at `p`, fresh memory about to be filled
// front to back, are best backed by large pages where it offers them: a
// drawing's arrays take tens of megabytes, and taking them 4 KiB at a time
// cost more than filling them. Only a hint; without effect where unsupported.
void AdviseLargeFill(const void* p, size_t bytes);

}  // namespace plandock::platform

// Memory hints on Windows: large pages need a privilege users do not hold, so none are given.
#include "platform/memory.h"

namespace plandock::platform {

void AdviseLargeFill(const void*, size_t) {}

}  // namespace plandock::platform

// Memory hints on POSIX: transparent huge pages through madvise where the system has them.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/memory.h"

namespace plandock::platform {

void AdviseLargeFill(const void* p, size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  if (bytes < kLargePage) return;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto at = reinterpret_cast<uintptr_t>(p);
  const uintptr_t begin = (at + page - 1) / page * page;
  const uintptr_t end = (at + bytes) / page * page;
  if (end > begin) (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)p;
  (void)bytes;
#endif
}

}  // namespace plandock::platform

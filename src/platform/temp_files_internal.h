// The temporary files of saves under way, kept where a signal or console
// handler can remove them before the program is ended.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace plandock::platform::internal {

template <class Char>
class TempFileList {
 public:
  // A slot for `path`, or -1 when it is too long or every slot is taken
  // (the file is then only removed by a later save's clean-up).
  int Add(const std::basic_string<Char>& path) {
    if (path.size() >= kMaxPath) return -1;
    for (int i = 0; i < kSlots; ++i) {
      int expected = kFree;
      if (!slots_[i].state.compare_exchange_strong(expected, kFilling)) continue;
      path.copy(slots_[i].path, path.size());
      slots_[i].path[path.size()] = Char(0);
      slots_[i].state.store(kHeld);
      return i;
    }
    return -1;
  }
  void Remove(int slot) {
    if (slot >= 0 && slot < kSlots) slots_[slot].state.store(kFree);
  }
  // Calls remove(path) for every held path; safe inside a signal handler.
  template <class RemoveFn>
  void RemoveAll(RemoveFn remove) {
    for (Slot& slot : slots_) {
      if (slot.state.load() == kHeld) remove(slot.path);
    }
  }

 private:
  static constexpr int kSlots = 8;
  static constexpr size_t kMaxPath = 4096;
  static constexpr int kFree = 0, kFilling = 1, kHeld = 2;
  static_assert(std::atomic<int>::is_always_lock_free, "used from signal handlers");
  struct Slot {
    std::atomic<int> state{kFree};
    Char path[kMaxPath];
  };
  Slot slots_[kSlots] = {};
};

// The system temp folder with a trailing separator.
#ifdef _WIN32
std::wstring SystemTempFolder();
// A path in the form the wide-character functions take.
std::wstring WidePath(const std::u16string& p);
#else
std::string SystemTempFolder();
#endif

// Removes the temporary files of unfinished saves now (from a signal or
// console handler, just before the program ends).
void RemoveTempFilesOfSaves();

}  // namespace plandock::platform::internal

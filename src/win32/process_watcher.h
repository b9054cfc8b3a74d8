#pragma once
// The processes the program waits for (started build scripts): each one's end is
// reported once, from the event loop, and its handle closed.
#include "win32/handles.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace tavrin::win32 {

class ProcessWatcher {
public:
  // Takes the process handle; onEnd runs once when the process has ended.
  void watch(KernelHandle process, std::function<void()> onEnd);
  // The handles to wait for, in order; at most `limit` of them.
  std::vector<HANDLE> handles(std::size_t limit) const;
  // The process at that place of handles() has ended: forgets it, then runs its onEnd.
  void ended(std::size_t index);
  // A wait on handles() failed: every process whose handle can't be waited for is
  // taken as ended. Returns how many were.
  std::size_t dropUnwaitable();

private:
  struct Watched {
    KernelHandle process;
    std::function<void()> onEnd;
  };
  std::vector<Watched> watched_;
};

} // namespace tavrin::win32

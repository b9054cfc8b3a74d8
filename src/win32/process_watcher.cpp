#include "win32/process_watcher.h"

#include <algorithm>
#include <utility>

namespace tavrin::win32 {

void ProcessWatcher::watch(KernelHandle process, std::function<void()> onEnd) {
  watched_.push_back({std::move(process), std::move(onEnd)});
}

std::vector<HANDLE> ProcessWatcher::handles(std::size_t limit) const {
  std::vector<HANDLE> out;
  out.reserve(std::min(limit, watched_.size()));
  for (const Watched& w : watched_) {
    if (out.size() == limit) break;
    out.push_back(w.process.get());
  }
  return out;
}

void ProcessWatcher::ended(std::size_t index) {
  if (index >= watched_.size()) return;
  Watched done = std::move(watched_[index]);
  watched_.erase(watched_.begin() + static_cast<std::ptrdiff_t>(index));
  done.process.reset();
  if (done.onEnd) done.onEnd();
}

std::size_t ProcessWatcher::dropUnwaitable() {
  std::size_t dropped = 0;
  for (std::size_t i = 0; i < watched_.size();) {
    if (WaitForSingleObject(watched_[i].process.get(), 0) == WAIT_FAILED) {
      ended(i);
      ++dropped;
    } else {
      ++i;
    }
  }
  return dropped;
}

} // namespace tavrin::win32

#include "core/commands/media_requests.h"

#include <utility>

namespace zr4 {

void TMediaRequests::Volume(double volume) {
  if (!volume_) volumeOrder_ = nextOrder_++;
  volume_ = volume;
  Schedule();
}

bool TMediaRequests::Press(TMediaKey key) {
  if (presses_.size() >= kMaxWaitingPresses) return false;
  presses_.push_back({key, nextOrder_++});
  Schedule();
  return true;
}

void TMediaRequests::RunNext() {
  scheduled_ = false;
  const bool volumeFirst = volume_ && (presses_.empty() || volumeOrder_ < presses_.front().order);
  if (volumeFirst) {
    const double volume = *volume_;
    volume_.reset();
    u_.setVolume(volume);
  } else if (!presses_.empty()) {
    const TMediaKey key = presses_.front().key;
    presses_.pop_front();
    u_.press(key);
  }
  // What came during the send is taken by the event loop before the next run, so that it can
  // still replace a waiting volume.
  if (volume_ || !presses_.empty()) Schedule();
}

void TMediaRequests::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  u_.schedule();
}

}  // namespace zr4

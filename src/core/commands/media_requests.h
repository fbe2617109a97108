// The desktop's requests to the component through the media controls, taken as they come and
// sent one at a time from the event loop, so that a burst never holds the window: while a volume
// waits to be sent, a later one replaces it (a slider held down costs a send or two, and the last
// value always arrives); key presses keep their order in a short queue and beyond it are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "core/commands/media_controls.h"

namespace zr4 {

class TMediaRequests {
 public:
  // Presses that may wait while one is sent.
  static constexpr std::size_t kMaxWaitingPresses = 4;

  struct Uses {
    std::function<void(double volume)> setVolume;  // sends it (and waits for the component)
    std::function<void(TMediaKey key)> press;      // likewise
    // Calls RunNext once the event loop has taken what arrived meanwhile.
    std::function<void()> schedule;
  };
  explicit TMediaRequests(Uses uses) : u_(std::move(uses)) {}

  // 0.0 … 1.0 of VolMax; replaces a volume not yet sent.
  void Volume(double volume);
  // False when kMaxWaitingPresses wait already: the press is dropped, and the caller says so.
  bool Press(TMediaKey key);
  // Sends the request that came first (a replaced volume keeps the place of the first one).
  void RunNext();

 private:
  void Schedule();

  struct Waiting {
    TMediaKey key;
    std::uint64_t order;
  };
  Uses u_;
  std::deque<Waiting> presses_;
  std::optional<double> volume_;
  std::uint64_t volumeOrder_ = 0;
  std::uint64_t nextOrder_ = 0;
  bool scheduled_ = false;
};

}  // namespace zr4

// The two media players a gesture can drive, each started from its configured program.
#pragma once

#include <string>

namespace zr4 {

enum class TPlayer { Winamp, Lilith };

enum class TPlayerCommand {
  Run,  // bring the running player to the front, or start it
  Quit,
  Play,
  Stop,
  Next,
  Previous,
  Forward,
  Rewind,
  Pause,
  Shuffle,
  Repeat,
  ListFirst,
  ListLast,
};

class MediaPlayers {
 public:
  virtual ~MediaPlayers() = default;

  // Runs the command on the player; `program` is the player's configured program file (may be
  // empty). A player that is not running, or cannot do the command, does nothing.
  virtual void Command(TPlayer player, TPlayerCommand command, const std::string& program) = 0;
};

}  // namespace zr4

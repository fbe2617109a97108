// The media players through MPRIS 2 on the session bus. The player for a command is the MPRIS
// service whose bus name or desktop entry matches the configured program's file name; with no
// program configured, the first player that runs. The program's own service (it shows the
// component in the desktop's media controls) is never one of them.
#pragma once

#include <QString>
#include <QStringList>

#include "core/ports/media_players.h"

namespace zr4 {

// The name under which the program itself serves MPRIS.
constexpr const char* kOwnMprisService = "org.mpris.MediaPlayer2.zr4pcctrl";

class MprisPlayers : public MediaPlayers {
 public:
  void Command(TPlayer player, TPlayerCommand command, const std::string& program) override;

  // The MPRIS bus name for the program among the running ones; empty when none matches.
  static QString FindPlayer(const QStringList& busNames, const QString& program,
                            const QStringList& desktopEntries);
};

}  // namespace zr4

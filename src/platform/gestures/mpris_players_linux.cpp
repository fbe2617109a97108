#include "platform/gestures/mpris_players_linux.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFileInfo>
#include <QProcess>

#include "core/ports/log.h"

namespace zr4 {

namespace {

constexpr const char* kPrefix = "org.mpris.MediaPlayer2.";
constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRoot = "org.mpris.MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr const char* kTrackList = "org.mpris.MediaPlayer2.TrackList";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr qlonglong kSeekStepUs = 5'000'000;
constexpr int kCallTimeoutMs = 3000;

void Log(const QString& line) {
  LogText(line.toStdString());
}

// The name a player is known by: the file name of its program without a Windows ".exe".
QString ProgramName(const QString& program) {
  QString name = QFileInfo(QString(program).replace('\\', '/')).fileName();
  if (name.endsWith(".exe", Qt::CaseInsensitive)) name.chop(4);
  return name;
}

// "org.mpris.MediaPlayer2.vlc.instance42" is the player "vlc".
QString PlayerPart(const QString& busName) {
  return busName.mid(static_cast<int>(qstrlen(kPrefix))).section('.', 0, 0);
}

class Mpris {
 public:
  explicit Mpris(const QString& service) : service_(service) {}

  QVariant Get(const char* interface, const char* property) {
    QDBusInterface properties(service_, kPath, kProperties, QDBusConnection::sessionBus());
    properties.setTimeout(kCallTimeoutMs);
    const QDBusMessage reply = properties.call("Get", interface, property);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
  }

  void Set(const char* interface, const char* property, const QVariant& value) {
    QDBusInterface properties(service_, kPath, kProperties, QDBusConnection::sessionBus());
    properties.setTimeout(kCallTimeoutMs);
    Check(properties.call("Set", interface, property, QVariant::fromValue(QDBusVariant(value))));
  }

  void Call(const char* interface, const char* method, const QVariantList& arguments = {}) {
    QDBusInterface target(service_, kPath, interface, QDBusConnection::sessionBus());
    target.setTimeout(kCallTimeoutMs);
    Check(target.callWithArgumentList(QDBus::Block, method, arguments));
  }

  // Goes to the first or last entry of the track list, where the player has one.
  void GoToEnd(bool last) {
    if (!Get(kRoot, "HasTrackList").toBool()) return;
    const auto tracks = qdbus_cast<QList<QDBusObjectPath>>(Get(kTrackList, "Tracks"));
    if (tracks.isEmpty()) return;
    Call(kTrackList, "GoTo", {QVariant::fromValue(last ? tracks.last() : tracks.first())});
  }

 private:
  void Check(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage)
      Log(QString("MPRIS: %1: %2").arg(service_, reply.errorMessage()));
  }

  QString service_;
};

// The program's own name, or any name its own process holds: a gesture driving the program
// itself would send the component's keys, or close the program.
bool IsOwnService(QDBusConnectionInterface& bus, const QString& name) {
  if (name == kOwnMprisService) return true;
  const QDBusReply<uint> pid = bus.servicePid(name);
  return pid.isValid() && pid.value() == static_cast<uint>(QCoreApplication::applicationPid());
}

}  // namespace

QString MprisPlayers::FindPlayer(const QStringList& busNames, const QString& program,
                                 const QStringList& desktopEntries) {
  const QString wanted = ProgramName(program);
  for (qsizetype i = 0; i < busNames.size(); ++i) {
    if (wanted.isEmpty()) return busNames[i];
    const QString entry = i < desktopEntries.size() ? desktopEntries[i] : QString();
    if (PlayerPart(busNames[i]).compare(wanted, Qt::CaseInsensitive) == 0 ||
        (!entry.isEmpty() && entry.compare(wanted, Qt::CaseInsensitive) == 0))
      return busNames[i];
  }
  return {};
}

void MprisPlayers::Command(TPlayer, TPlayerCommand command, const std::string& programPath) {
  const QString program = QString::fromStdString(programPath);
  QDBusConnection bus = QDBusConnection::sessionBus();
  QString service;
  if (bus.isConnected()) {
    QStringList players;
    for (const QString& name : bus.interface()->registeredServiceNames().value())
      if (name.startsWith(kPrefix) && !IsOwnService(*bus.interface(), name)) players.append(name);
    players.sort();
    QStringList entries;
    for (const QString& name : players)
      entries.append(Mpris(name).Get(kRoot, "DesktopEntry").toString());
    service = FindPlayer(players, program, entries);
  }
  if (service.isEmpty()) {
    if (command == TPlayerCommand::Run && !program.isEmpty()) {
      if (!QProcess::startDetached(program, {})) Log("MPRIS: cannot start " + program);
    } else {
      Log("MPRIS: no player runs for \"" + program + "\"; the command does nothing");
    }
    return;
  }
  Mpris player(service);
  switch (command) {
    case TPlayerCommand::Run:
      return player.Call(kRoot, "Raise");
    case TPlayerCommand::Quit:
      return player.Call(kRoot, "Quit");
    case TPlayerCommand::Play:
      return player.Call(kPlayer, "Play");
    case TPlayerCommand::Stop:
      return player.Call(kPlayer, "Stop");
    case TPlayerCommand::Pause:
      return player.Call(kPlayer, "Pause");
    case TPlayerCommand::Next:
      return player.Call(kPlayer, "Next");
    case TPlayerCommand::Previous:
      return player.Call(kPlayer, "Previous");
    case TPlayerCommand::Forward:
      return player.Call(kPlayer, "Seek", {kSeekStepUs});
    case TPlayerCommand::Rewind:
      return player.Call(kPlayer, "Seek", {-kSeekStepUs});
    case TPlayerCommand::Shuffle: {
      const QVariant shuffle = player.Get(kPlayer, "Shuffle");
      if (shuffle.isValid()) player.Set(kPlayer, "Shuffle", !shuffle.toBool());
      return;
    }
    case TPlayerCommand::Repeat: {
      const QVariant loop = player.Get(kPlayer, "LoopStatus");
      if (loop.isValid())
        player.Set(kPlayer, "LoopStatus", QString(loop.toString() == "None" ? "Playlist" : "None"));
      return;
    }
    case TPlayerCommand::ListFirst:
      return player.GoToEnd(false);
    case TPlayerCommand::ListLast:
      return player.GoToEnd(true);
  }
}

}  // namespace zr4

#include "platform/commands/mpris_linux.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMetaObject>
#include <QMetaProperty>
#include <utility>

#include "core/ports/log.h"
#include "platform/gestures/mpris_players_linux.h"

namespace zr4 {

namespace {
constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
// Where the adaptors are served behind the gate.
constexpr const char* kAdaptorPath = "/io/github/zr4pcctrl/MediaPlayer2";

// A Set of one of the player's writable properties with a value of another type. Numbers of any
// D-Bus type stay welcome, as Qt has always taken them.
bool IsSetOfWrongType(const QDBusMessage& message) {
  if (message.interface() != "org.freedesktop.DBus.Properties" || message.member() != "Set" ||
      message.signature() != "ssv")
    return false;
  const QString interface = message.arguments().at(0).toString();
  if (!interface.isEmpty() && interface != "org.mpris.MediaPlayer2.Player") return false;
  const QMetaObject& player = MprisPlayerAdaptor::staticMetaObject;
  const int index = player.indexOfProperty(message.arguments().at(1).toString().toUtf8());
  if (index < 0 || !player.property(index).isWritable()) return false;
  const QVariant value = qvariant_cast<QDBusVariant>(message.arguments().at(2)).variant();
  switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
      return false;
    default:
      return true;
  }
}
constexpr const char* kDesktopEntry = "io.github.zr4pcctrl.zr4pcctrl";
}  // namespace

MprisPlayer::MprisPlayer(MprisMedia media, MprisWindowActions window)
    : media_(std::move(media)),
      window_(std::move(window)),
      requests_({
          .setVolume = [this](double volume) { media_.setVolume(volume); },
          .press = [this](TMediaKey key) { media_.press(key); },
          // Queued behind the calls already delivered, so that they are taken before the send.
          .schedule =
              [this] {
                QMetaObject::invokeMethod(
                    this, [this] { requests_.RunNext(); }, Qt::QueuedConnection);
              },
      }) {
  new MprisRootAdaptor(this);
  new MprisPlayerAdaptor(this);
  gate_ = new MprisCallGate(this);
  state_ = media_.state();
}

bool MprisPlayer::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    LogText("MPRIS: no session bus; the media controls do not show the component");
    return false;
  }
  if (!bus.registerObject(kAdaptorPath, this) || !bus.registerVirtualObject(kObjectPath, gate_)) {
    LogText("MPRIS: cannot serve " + std::string(kObjectPath));
    bus.unregisterObject(kAdaptorPath);
    return false;
  }
  if (!bus.registerService(kOwnMprisService)) {
    LogText("MPRIS: " + std::string(kOwnMprisService) +
            " is taken: " + bus.lastError().message().toStdString());
    bus.unregisterObject(kObjectPath);
    bus.unregisterObject(kAdaptorPath);
    return false;
  }
  LogText("MPRIS: serving " + std::string(kOwnMprisService));
  return true;
}

void MprisPlayer::Update() {
  const TMediaState& now = media_.state();
  if (now == state_) return;
  const QVariantMap before = MprisPlayerAdaptor::Properties(state_);
  QVariantMap changed = MprisPlayerAdaptor::Properties(now);
  // The play time moves by itself; clients ask for it when they show it.
  changed.remove("Position");
  for (auto it = changed.begin(); it != changed.end();)
    it = before.value(it.key()) == it.value() ? changed.erase(it) : std::next(it);
  state_ = now;
  if (!changed.isEmpty()) EmitChanged("org.mpris.MediaPlayer2.Player", changed);
}

void MprisPlayer::Refuse(QDBusError::ErrorType error, const QString& message) {
  if (calledFromDBus()) sendErrorReply(error, message);
}

void MprisPlayer::EmitChanged(const char* interface, const QVariantMap& changed) {
  QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, "org.freedesktop.DBus.Properties",
                                                   "PropertiesChanged");
  signal << QString(interface) << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

bool MprisCallGate::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  if (IsSetOfWrongType(message)) {
    connection.send(message.createErrorReply(
        QDBusError::InvalidArgs,
        "Invalid arguments for writing to property " + message.arguments().at(1).toString()));
    return true;
  }
  // A call to this process's own name is delivered at once, on this thread, and answered here.
  QDBusMessage call = QDBusMessage::createMethodCall(connection.baseService(), kAdaptorPath,
                                                     message.interface(), message.member());
  call.setArguments(message.arguments());
  const QDBusMessage reply = connection.call(call);
  if (!message.isReplyRequired()) return true;
  connection.send(reply.type() == QDBusMessage::ErrorMessage
                      ? message.createErrorReply(reply.errorName(), reply.errorMessage())
                      : message.createReply(reply.arguments()));
  return true;
}

MprisRootAdaptor::MprisRootAdaptor(MprisPlayer* player)
    : QDBusAbstractAdaptor(player), player_(player) {}

QString MprisRootAdaptor::DesktopEntry() const {
  return kDesktopEntry;
}

void MprisRootAdaptor::Raise() {
  player_->Window().raise();
}

void MprisRootAdaptor::Quit() {
  player_->Window().quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisPlayer* player)
    : QDBusAbstractAdaptor(player), player_(player) {
  setAutoRelaySignals(true);
}

const TMediaState& MprisPlayerAdaptor::Now() const {
  return player_->Media().state();
}

QVariantMap MprisPlayerAdaptor::Properties(const TMediaState& s) {
  QVariantMap metadata{
      {"mpris:trackid", QVariant::fromValue(QDBusObjectPath(QString::fromStdString(s.trackId)))}};
  if (!s.title.empty()) metadata["xesam:title"] = QString::fromStdString(s.title);
  if (!s.album.empty()) metadata["xesam:album"] = QString::fromStdString(s.album);
  if (s.trackNumber > 0) metadata["xesam:trackNumber"] = s.trackNumber;
  return {{"PlaybackStatus", QString::fromStdString(s.playbackStatus)},
          {"Metadata", metadata},
          {"Volume", s.volume},
          {"Position", qlonglong{s.positionUs}},
          {"CanGoNext", s.canGoNext},
          {"CanGoPrevious", s.canGoPrevious},
          {"CanPlay", s.canPlay},
          {"CanPause", s.canPause},
          {"CanControl", s.canControl}};
}

QString MprisPlayerAdaptor::PlaybackStatus() const {
  return QString::fromStdString(Now().playbackStatus);
}
QVariantMap MprisPlayerAdaptor::Metadata() const {
  return Properties(Now())["Metadata"].toMap();
}
double MprisPlayerAdaptor::Volume() const {
  return Now().volume;
}
void MprisPlayerAdaptor::SetVolume(double volume) {
  player_->Requests().Volume(volume);
}
qlonglong MprisPlayerAdaptor::Position() const {
  return Now().positionUs;
}
bool MprisPlayerAdaptor::CanGoNext() const {
  return Now().canGoNext;
}
bool MprisPlayerAdaptor::CanGoPrevious() const {
  return Now().canGoPrevious;
}
bool MprisPlayerAdaptor::CanPlay() const {
  return Now().canPlay;
}
bool MprisPlayerAdaptor::CanPause() const {
  return Now().canPause;
}
bool MprisPlayerAdaptor::CanControl() const {
  return Now().canControl;
}

void MprisPlayerAdaptor::Press(TMediaKey key) {
  if (player_->Requests().Press(key)) return;
  player_->Refuse(QDBusError::LimitsExceeded,
                  "too many key presses wait to be sent to the component; this one is dropped");
}

void MprisPlayerAdaptor::Next() {
  Press(TMediaKey::Next);
}
void MprisPlayerAdaptor::Previous() {
  Press(TMediaKey::Previous);
}
void MprisPlayerAdaptor::Pause() {
  Press(TMediaKey::Pause);
}
void MprisPlayerAdaptor::PlayPause() {
  Press(TMediaKey::PlayPause);
}
void MprisPlayerAdaptor::Stop() {
  Press(TMediaKey::Stop);
}
void MprisPlayerAdaptor::Play() {
  Press(TMediaKey::Play);
}

}  // namespace zr4

// The component in the desktop's media controls: an MPRIS 2 player on the session bus, named
// org.mpris.MediaPlayer2.zr4pcctrl, serving what TMediaControls decides. It reads nothing from
// the component itself: it follows the window's polls.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>

#include "core/commands/media_controls.h"
#include "core/commands/media_requests.h"

namespace zr4 {

// The component as the media controls show and drive it.
struct MprisMedia {
  std::function<const TMediaState&()> state;  // what the desktop is shown now
  std::function<void(double)> setVolume;      // 0.0 … 1.0 of VolMax
  std::function<void(TMediaKey)> press;       // the desktop's transport keys
};

// What the desktop may ask of the controller window through the media controls.
struct MprisWindowActions {
  std::function<void()> raise;  // restore it and bring it to the front
  std::function<void()> quit;   // close it, as the user would
};

// Stands at the player's path in front of the adaptors, which Qt serves at a path of their own:
// Qt answers a property Set whose value has the wrong type with InternalError, where the media
// controls' clients are owed InvalidArgs. Every other call goes on to the adaptors unchanged.
class MprisCallGate : public QDBusVirtualObject {
  Q_OBJECT

 public:
  using QDBusVirtualObject::QDBusVirtualObject;
  // Introspection is answered by the adaptors, through handleMessage.
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
};

// The D-Bus context of a call to one of its adaptors is the player's: Qt gives it to the object
// the adaptors belong to.
class MprisPlayer : public QObject, protected QDBusContext {
  Q_OBJECT

 public:
  MprisPlayer(MprisMedia media, MprisWindowActions window);

  // Takes the player's name on the session bus. False, with a diagnostic, when there is no
  // session bus or another program holds the name: the window works on without it.
  bool Register();

  const MprisMedia& Media() const { return media_; }
  // Where the desktop's volume and keys wait to be sent, one at a time from the event loop.
  TMediaRequests& Requests() { return requests_; }
  // Answers the D-Bus call being handled with `error` instead of its reply.
  void Refuse(QDBusError::ErrorType error, const QString& message);
  const MprisWindowActions& Window() const { return window_; }
  const TMediaState& State() const { return state_; }

 public slots:
  // A record was shown (connect the window's signal here): tells the desktop what changed.
  void Update();

 private:
  void EmitChanged(const char* interface, const QVariantMap& changed);

  MprisCallGate* gate_;

  MprisMedia media_;
  MprisWindowActions window_;
  TMediaState state_;
  TMediaRequests requests_;
};

// org.mpris.MediaPlayer2
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ CanQuit)
  Q_PROPERTY(bool CanRaise READ CanRaise)
  Q_PROPERTY(bool HasTrackList READ HasTrackList)
  Q_PROPERTY(QString Identity READ Identity)
  Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

 public:
  explicit MprisRootAdaptor(MprisPlayer* player);

  bool CanQuit() const { return true; }
  bool CanRaise() const { return true; }
  bool HasTrackList() const { return false; }
  QString Identity() const { return "ZR4PC"; }
  QString DesktopEntry() const;
  QStringList SupportedUriSchemes() const { return {}; }
  QStringList SupportedMimeTypes() const { return {}; }

 public slots:
  void Raise();
  void Quit();

 private:
  MprisPlayer* player_;
};

// org.mpris.MediaPlayer2.Player
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
  Q_PROPERTY(double Rate READ Rate WRITE SetRate)
  Q_PROPERTY(double MinimumRate READ Rate)
  Q_PROPERTY(double MaximumRate READ Rate)
  Q_PROPERTY(QVariantMap Metadata READ Metadata)
  Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
  Q_PROPERTY(qlonglong Position READ Position)
  Q_PROPERTY(bool CanGoNext READ CanGoNext)
  Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
  Q_PROPERTY(bool CanPlay READ CanPlay)
  Q_PROPERTY(bool CanPause READ CanPause)
  Q_PROPERTY(bool CanSeek READ CanSeek)
  Q_PROPERTY(bool CanControl READ CanControl)

 public:
  explicit MprisPlayerAdaptor(MprisPlayer* player);

  QString PlaybackStatus() const;
  double Rate() const { return 1.0; }
  void SetRate(double) {}  // the component plays at its own speed
  QVariantMap Metadata() const;
  double Volume() const;
  void SetVolume(double volume);
  qlonglong Position() const;
  bool CanGoNext() const;
  bool CanGoPrevious() const;
  bool CanPlay() const;
  bool CanPause() const;
  bool CanSeek() const { return false; }
  bool CanControl() const;

  // The state's properties as the interface names them.
  static QVariantMap Properties(const TMediaState& state);

 public slots:
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  void Stop();
  void Play();
  // The component cannot seek to a time or open files: these do nothing.
  void Seek(qlonglong) {}
  void SetPosition(const QDBusObjectPath&, qlonglong) {}
  void OpenUri(const QString&) {}

 signals:
  void Seeked(qlonglong position);

 private:
  // What the desktop is shown now.
  const TMediaState& Now() const;
  // Queues `key`, or answers the call with an error when too many wait already.
  void Press(TMediaKey key);

  MprisPlayer* player_;
};

}  // namespace zr4

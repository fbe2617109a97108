#include "platform/gestures/x11_app_windows_linux.h"

#include <QProcess>
#include <QString>
#include <memory>

#include "core/ports/log.h"

// X11 last: its macros (Status, Bool, None, ...) clash with names in the Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zr4 {

namespace {

// A connection to the X server for one request; none without a display.
std::unique_ptr<Display, int (*)(Display*)> OpenDisplay() {
  Display* display = qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : XOpenDisplay(nullptr);
  return {display, XCloseDisplay};
}

bool HasClass(Display* display, Window window, const std::string& windowClass) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool matches = (hint.res_class && windowClass == hint.res_class) ||
                       (hint.res_name && windowClass == hint.res_name);
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return matches;
}

// Asks the window manager for something about a window: an EWMH client message to the root
// window with two data words.
void RequestOfWindowManager(Window window, const char* message, long first, long second) {
  auto display = OpenDisplay();
  if (!display) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display.get(), message, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = second;
  XSendEvent(display.get(), DefaultRootWindow(display.get()), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display.get());
}

// Source indication of the requests: a pager, whose requests window managers obey.
constexpr long kSourcePager = 2;

}  // namespace

TAppWindow X11AppWindows::FindAppWindow(const std::string& windowClass) {
  auto display = OpenDisplay();
  if (!display) return 0;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom clientList = XInternAtom(display.get(), "_NET_CLIENT_LIST", False);
  if (XGetWindowProperty(display.get(), DefaultRootWindow(display.get()), clientList, 0, 65536,
                         False, XA_WINDOW, &type, &format, &count, &after, &data) != Success ||
      data == nullptr)
    return 0;
  TAppWindow found = 0;
  const Window* windows = reinterpret_cast<const Window*>(data);
  for (unsigned long i = 0; i < count && found == 0; ++i)
    if (HasClass(display.get(), windows[i], windowClass)) found = windows[i];
  XFree(data);
  return found;
}

void X11AppWindows::BringToFront(TAppWindow window) {
  RequestOfWindowManager(window, "_NET_ACTIVE_WINDOW", kSourcePager, CurrentTime);
}

void X11AppWindows::CloseAppWindow(TAppWindow window) {
  RequestOfWindowManager(window, "_NET_CLOSE_WINDOW", CurrentTime, kSourcePager);
}

void X11AppWindows::PostToAppWindow(TAppWindow, std::uint32_t msg, std::int32_t, std::int32_t) {
  if (toldUnsupported_) return;
  toldUnsupported_ = true;
  LogText("AppCtrl: window messages (here " + std::to_string(msg) +
          ") cannot reach Linux applications; such commands do nothing");
}

void X11AppWindows::StartProgram(const std::string& program, const std::string& params) {
  const QString path = QString::fromStdString(program);
  if (!QProcess::startDetached(path, QProcess::splitCommand(QString::fromStdString(params))))
    LogText("AppCtrl: cannot start " + program);
}

}  // namespace zr4

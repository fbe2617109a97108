// The controller window: the frame its parts draw in, and the input it forwards to the
// controller. The panel (labels, volume bar, title), the skin (face, outline, buttons), the tray,
// the menu and the dialogs are views of their own; the window itself shows messages, is shown,
// closed, minimised and placed. Until a skin is loaded it is a plain face with the eleven labels
// and the volume scroll bar.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>
#include <string>

#include "core/app/controller_views.h"
#include "shell/app/program_folders.h"
#include "shell/menu/popup_menu.h"
#include "shell/options/window_dialogs.h"
#include "shell/panel/panel_display.h"
#include "shell/skin/skin_face.h"
#include "shell/tray/window_tray.h"

namespace zr4 {

class TController;

class MainWindow : public QWidget, public MessageView, public WindowView, public PlacementView {
  Q_OBJECT

 public:
  // `interactive` false: messages go to standard error instead of a message box (offscreen
  // runs, screenshots). The tray shows the window's icon in the notification area; the folders
  // are where the dialogs and the tray find their files.
  MainWindow(bool interactive, TrayIcon& tray, const ProgramFolders& folders,
             QWidget* parent = nullptr);

  // The controller this window shows; set before TController::FormCreate runs.
  void SetController(TController* controller);
  TController* Controller() const { return controller_; }

  PanelDisplay& Panel() { return panel_; }
  SkinFace& Skin() { return skin_; }
  WindowTray& Tray() { return tray_; }
  PopupMenu& Menu() { return menu_; }
  WindowDialogs& Dialogs() { return dialogs_; }
  // The controller's views: the window's parts, and the window itself for its messages, its
  // state and its place.
  TControllerViews Views() { return {panel_, *this, *this, *this, tray_, skin_, menu_, dialogs_}; }

  // MessageView
  void ShowMessage(const std::string& text) override;
  void ShowCaptionedMessage(const std::string& caption, const std::string& text) override;
  void ShowNotification(const std::string& title, const std::string& text) override;
  // WindowView
  void ShowWindow() override;
  void CloseWindow() override;
  void Minimize() override;
  void SetForeground() override;
  void SetTopmost(bool topmost) override;
  void FramedChanged(bool framed) override;
  // PlacementView
  std::optional<TRect> WorkArea() override;
  bool KnowsWindowPosition() override;
  TRect WindowRect() override;
  void MoveWindow(int left, int top) override;

  // A second start without parameters: restore the window from minimised or hidden and bring
  // it to the front.
  void RestoreAndRaise();

  // The session ends: the controller's end-of-session step, then the window closes without
  // running the close step a second time.
  void EndSession();

  QMenu& PopupMenu1() { return menu_.Menu(); }
  SkinButton* SkinButtons(int index) const { return skin_.Button(index); }

  // The window as a user sees it: transparent outside its outline.
  QImage Picture();

 signals:
  // The window begins to close (before the controller's close or end-of-session step, which
  // saves the settings): from now on the program takes no more requests.
  void closing();
  // The window has closed and the controller has run its close step: the program ends.
  void closed();
  // A status record was shown (every poll and command), changed or not.
  void statusShown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Minimised and restored by any means (the title bar, the taskbar, the program itself).
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // The window's own keys and the wheel move the volume (the core's key table).
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // The volume bar's own wheel handling and context menu would bypass the controller: the
  // wheel and the right button act over it as anywhere else on the window.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<TRect> OtherVisibleWindows() const;

  TController* controller_ = nullptr;
  bool interactive_;
  PanelDisplay panel_{*this};
  SkinFace skin_;
  WindowTray tray_;
  PopupMenu menu_{*this};
  WindowDialogs dialogs_;

  bool dragging_ = false;
  QPoint lastMouse_;

  bool closeStepDone_ = false;
  int wheelDelta_ = 0;  // wheel movement that has not yet made a whole notch
};

}  // namespace zr4

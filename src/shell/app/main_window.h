// The controller window: draws what the controller decides and forwards the user's input to it.
// Its face, outline, 27 buttons, label places and fonts come from the skin; until one is loaded
// it is a plain face with the eleven labels and the volume scroll bar.
#pragma once

#include <QAccessible>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "core/app/controller_views.h"
#include "core/skin/skin_layout.h"
#include "platform/tray/tray_icon.h"
#include "shell/app/tray_menu.h"

class QLabel;
class QScrollBar;

namespace zr4 {

class SkinButton;
class TController;

class MainWindow : public QWidget,
                   public PanelView,
                   public MessageView,
                   public WindowView,
                   public PlacementView,
                   public TrayView,
                   public SkinView,
                   public MenuView,
                   public DialogView,
                   private QAccessible::ActivationObserver {
  Q_OBJECT

 public:
  // `interactive` false: messages go to standard error instead of a message box (offscreen
  // runs, screenshots).
  explicit MainWindow(bool interactive, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The controller this window shows; set before TController::FormCreate runs.
  void SetController(TController* controller);
  TController* Controller() const { return controller_; }

  // The controller's views
  void LabelsChanged(const TPanelLabels& labels) override;
  void StatusShown() override { emit statusShown(); }
  void SimulatedMarkChanged(const std::string& mark) override;
  void VolumeSliderChanged(const TVolumeSlider& slider) override;
  void TimersChanged(const TimerState& timer1, const TimerState& timer2) override;
  void TitleChanged(const std::string& title) override;
  void ShowMessage(const std::string& text) override;
  void ShowCaptionedMessage(const std::string& caption, const std::string& text) override;
  void ShowNotification(const std::string& title, const std::string& text) override;
  void ShowWindow() override;
  void CloseWindow() override;
  void ShortcutsChanged(const std::vector<TShortcutBinding>& shortcuts) override;
  void SetTopmost(bool topmost) override;
  void Minimize() override;
  void SkinChanged(const TSkinLook& look, const TSkinLayout& layout) override;
  void VolumeKnobMoved(int left, int top) override;
  void FramedChanged(bool framed) override;
  std::optional<TRect> WorkArea() override;
  bool KnowsWindowPosition() override;
  TRect WindowRect() override;
  void MoveWindow(int left, int top) override;
  bool TrayAvailable() override;
  void TrayIconChanged(bool shown, const std::string& tip) override;
  void HideWindow() override;
  void RestoreWindow() override;
  bool WindowVisible() override;
  void SetForeground() override;
  void PopupMenuAtCursor() override;
  bool SetApplicationIcon(const std::string& file) override;
  bool RunOptionDialog(TOptionFormModel& form) override;
  void RunAboutBox(TAboutModel& about) override;

  // A second start without parameters: restore the window from minimised or hidden and bring
  // it to the front.
  void RestoreAndRaise();

  // The session ends: the controller's end-of-session step, then the window closes without
  // running the close step a second time.
  void EndSession();

  QMenu& PopupMenu1() { return popupMenu_; }
  TrayIcon& Tray() { return tray_; }
  SkinButton* SkinButtons(int index) const { return skinButtons_[static_cast<std::size_t>(index)]; }

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
  enum LabelSlot {
    lbInput,
    lbPresetNum,
    lbRadioNum,
    lbRadioName,
    lbHz,
    lbAutoManu,
    lbRepeat,
    lbMute,
    lbTone,
    lbVolStr,
    lbVol,
    kLabelCount
  };

  bool EvenDigits(std::size_t slot);
  // The panel read as one line, as --status prints it, and the simulated component's mark, is
  // the window's description for screen readers: written only while one listens, and when one
  // starts to.
  void DescribeStatus(const TPanelLabels& labels);
  void accessibilityActiveChanged(bool active) override;
  QLabel* MakeLabel(const char* name, QRect geometry, int pointSize, bool bold,
                    Qt::Alignment alignment);
  void ScrollBarMoved(int value);
  bool OverStationLabels(QPoint position) const;
  void ShowLabelMenu(QPoint globalPosition);
  void CreateSkinButtons();
  void ShowButtonHints();
  QLabel* LabelOfSlot(int displaySlot) const;
  std::vector<TRect> OtherVisibleWindows() const;

  TController* controller_ = nullptr;
  bool interactive_;
  std::array<QLabel*, kLabelCount> labels_{};
  // "SIM" while the simulated component stands in, hidden otherwise; it belongs to no display
  // slot, so a skin only places it (see TSkinLayout::SimMarkPos).
  QLabel* simMark_ = nullptr;
  std::string simMarkText_;
  // The texts the labels show, as the controller handed them over: a label whose text stays is
  // not touched again (setting a text and sizing the label to it is most of a poll's work).
  std::array<std::string, kLabelCount> labelTexts_{};
  // Whether the label's font draws all digits one width, once asked.
  std::array<std::optional<bool>, kLabelCount> evenDigits_{};
  std::array<SkinButton*, kSkinButtonCount> skinButtons_{};
  QImage image1_;         // the skin's face
  QImage image2x_;        // the face at twice the size, or none
  bool skinned_ = false;  // labels size themselves to their text once a skin placed them
  QScrollBar* scrollBar1_ = nullptr;
  bool syncingScrollBar_ = false;  // the scroll bar is being set from the controller
  QTimer timer1_{this};
  QTimer timer2_{this};
  QMenu popupMenu_;
  TrayIcon tray_{this};
  TrayMenu trayMenu_{*this};
  // The application's icon is an icon file of the "icons" folder, not the built-in one.
  bool iconFromFile_ = false;

  bool dragging_ = false;
  QPoint lastMouse_;

  bool screenReaderListens_ = QAccessible::isActive();
  bool closeStepDone_ = false;
  int wheelDelta_ = 0;  // wheel movement that has not yet made a whole notch
};

}  // namespace zr4

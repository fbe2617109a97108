// What the window shows of the component's panel: the eleven labels, the simulated component's
// mark, the volume bar, the title, and the two timers the controller runs. Until a skin places
// them the labels sit on the plain face, each its own size; once placed they size to their text.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

#include "core/panel/panel_view.h"
#include "core/skin/skin_layout.h"

class QLabel;
class QRect;
class QScrollBar;
class QWidget;

namespace zr4 {

class TController;

class PanelDisplay : public QObject, public PanelView, private QAccessible::ActivationObserver {
  Q_OBJECT

 public:
  // The labels and the volume bar are made on `window`; the window's title and its description
  // for screen readers are the panel's.
  explicit PanelDisplay(QWidget& window);
  ~PanelDisplay() override;

  // The controller the volume bar and the timers go to.
  void SetController(TController* controller) { controller_ = controller; }

  void LabelsChanged(const TPanelLabels& labels) override;
  void StatusShown() override { emit statusShown(); }
  void SimulatedMarkChanged(const std::string& mark) override;
  void VolumeSliderChanged(const TVolumeSlider& slider) override;
  void TimersChanged(const TimerState& timer1, const TimerState& timer2) override;
  void TitleChanged(const std::string& title) override;

  // Places the labels, the mark and the volume bar where the skin puts them, in its fonts.
  void ApplySkin(const TSkinLayout& layout);

  // Whether the frequency or station-name label, which have a menu of their own, is there.
  bool OverStationLabels(QPoint position) const;
  QScrollBar& VolumeScrollBar() const { return *volumeBar_; }
  // The window closes: no tick comes after the controller's close step.
  void StopTimers();

 signals:
  // A status record was shown (every poll and command), changed or not.
  void statusShown();

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

  QLabel* MakeLabel(const char* name, QRect geometry, int pointSize, bool bold,
                    Qt::Alignment alignment);
  QLabel* LabelOfSlot(int displaySlot) const;
  bool EvenDigits(std::size_t slot);
  void VolumeBarMoved(int value);
  // The panel read as one line, as --status prints it, and the simulated component's mark, is
  // the window's description for screen readers: written only while one listens, and when one
  // starts to.
  void DescribeStatus(const TPanelLabels& labels);
  void accessibilityActiveChanged(bool active) override;

  QWidget& window_;
  TController* controller_ = nullptr;
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
  bool skinned_ = false;  // labels size themselves to their text once a skin placed them
  QScrollBar* volumeBar_ = nullptr;
  bool syncingVolumeBar_ = false;  // the volume bar is being set from the controller
  QTimer timer1_{this};
  QTimer timer2_{this};
  bool screenReaderListens_ = QAccessible::isActive();
};

}  // namespace zr4

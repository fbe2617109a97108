#include "shell/panel/panel_display.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "core/app/controller.h"
#include "core/panel/status_report.h"
#include "shell/panel/label_width.h"
#include "shell/panel/volume_bar.h"
#include "shell/skin/skin_fonts.h"

namespace zr4 {

namespace {

const char* const kVolumeBarStyle =
    "QScrollBar:horizontal { background: #101317; border: 1px solid #4a525c; margin: 0 16px; }"
    "QScrollBar::handle:horizontal { background: #7fe3ff; min-width: 10px; }"
    "QScrollBar::add-line:horizontal { background: #2a3038; width: 16px;"
    "  subcontrol-origin: margin; subcontrol-position: right; }"
    "QScrollBar::sub-line:horizontal { background: #2a3038; width: 16px;"
    "  subcontrol-origin: margin; subcontrol-position: left; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

QString Caption(const std::string& text) {
  return QString::fromStdString(LabelDisplayText(text));
}

void PlaceLabel(QLabel& label, const TSkinFont& font, TSkinPoint position) {
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setFont(FontOf(font, QApplication::font()));
  QPalette colours = label.palette();
  colours.setColor(QPalette::WindowText, ColorOf(font.Color));
  label.setPalette(colours);
  label.move(position.x, position.y);
  // An empty label draws nothing; it is sized when it gets a text, so that a font no text
  // needs is never loaded.
  if (!label.text().isEmpty()) label.adjustSize();
}

}  // namespace

PanelDisplay::PanelDisplay(QWidget& window) : QObject(&window), window_(window) {
  QAccessible::installActivationObserver(this);
  const auto left = Qt::AlignLeft | Qt::AlignVCenter;
  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  labels_[lbInput] = MakeLabel("lbInput", {14, 10, 112, 30}, 17, true, left);
  labels_[lbPresetNum] = MakeLabel("lbPresetNum", {128, 10, 40, 30}, 17, true, right);
  labels_[lbRadioNum] = MakeLabel("lbRadioNum", {172, 8, 126, 34}, 22, true, right);
  labels_[lbRadioName] = MakeLabel("lbRadioName", {172, 8, 126, 34}, 14, true, right);
  labels_[lbHz] = MakeLabel("lbHz", {302, 18, 46, 20}, 10, false, left);
  labels_[lbAutoManu] = MakeLabel("lbAutoManu", {14, 48, 60, 20}, 10, false, left);
  labels_[lbRepeat] = MakeLabel("lbRepeat", {76, 48, 64, 20}, 10, false, left);
  labels_[lbMute] = MakeLabel("lbMute", {142, 48, 46, 20}, 10, false, left);
  labels_[lbTone] = MakeLabel("lbTone", {190, 48, 56, 20}, 10, false, left);
  labels_[lbVolStr] = MakeLabel("lbVolStr", {250, 48, 44, 20}, 10, false, right);
  labels_[lbVol] = MakeLabel("lbVol", {296, 42, 52, 30}, 17, true, right);
  // Under "Vol.", above the volume bar: the one free place of the plain face.
  simMark_ = MakeLabel("lbSimulated", {250, 66, 44, 16}, 8, true, right);
  simMark_->hide();

  volumeBar_ = new VolumeBar(&window);
  volumeBar_->setObjectName("ScrollBar1");
  volumeBar_->setToolTip(kVolumeHint);
  volumeBar_->setAccessibleName(kVolumeHint);
  volumeBar_->setGeometry(14, 82, 334, 18);
  volumeBar_->setInvertedControls(false);
  volumeBar_->setStyleSheet(kVolumeBarStyle);
  // Keys are the window's, not the scroll bar's.
  volumeBar_->setFocusPolicy(Qt::NoFocus);
  connect(volumeBar_, &QScrollBar::valueChanged, this, &PanelDisplay::VolumeBarMoved);

  timer1_.setObjectName("Timer1");
  timer2_.setObjectName("Timer2");
  // The timers run on during their ticks: the controller skips a tick that comes inside a
  // tick (a wait inside a tick processes window messages), and a late tick never brings a
  // second one at once. Nothing is stopped or started per tick, so an idle poll costs the
  // event loop no timer bookkeeping.
  connect(&timer1_, &QTimer::timeout, this, [this] {
    if (controller_) controller_->Timer1Timer();
  });
  connect(&timer2_, &QTimer::timeout, this, [this] {
    if (controller_) controller_->Timer2Timer();
  });
}

PanelDisplay::~PanelDisplay() {
  QAccessible::removeActivationObserver(this);
}

QLabel* PanelDisplay::MakeLabel(const char* name, QRect geometry, int pointSize, bool bold,
                                Qt::Alignment alignment) {
  auto* label = new QLabel(&window_);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  label->setTextFormat(Qt::PlainText);
  // Mouse presses on a label drag the window like presses on the face.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  QFont font = label->font();
  font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

QLabel* PanelDisplay::LabelOfSlot(int displaySlot) const {
  static constexpr LabelSlot kBySlot[kDisplaySlotCount] = {
      lbInput, lbVol,  lbVolStr, lbPresetNum, lbRadioNum, lbHz,
      lbMute,  lbTone, lbRepeat, lbAutoManu,  lbRadioName};
  return labels_[kBySlot[displaySlot]];
}

void PanelDisplay::ApplySkin(const TSkinLayout& layout) {
  skinned_ = true;
  for (int slot = 0; slot < kDisplaySlotCount; ++slot) {
    QLabel* label = LabelOfSlot(slot);
    const auto s = static_cast<std::size_t>(slot);
    PlaceLabel(*label, layout.LabelFont[s], layout.LabelPos[s]);
    if (layout.LabelVisible[s]) label->setVisible(*layout.LabelVisible[s]);
  }
  PlaceLabel(*simMark_, layout.SimMarkFont, layout.SimMarkPos);
  // Measured when first needed: a font no label text has asked for yet stays unloaded.
  evenDigits_.fill(std::nullopt);
  const TRect& bar = layout.ScrollBar;
  if (layout.ScrollBarVertical)
    volumeBar_->setOrientation(*layout.ScrollBarVertical ? Qt::Vertical : Qt::Horizontal);
  volumeBar_->setGeometry(
      bar.left, bar.top, std::max(0, bar.Width()),
      layout.ScrollBarKeepsHeight ? volumeBar_->height() : std::max(0, bar.Height()));
  volumeBar_->setVisible(layout.ScrollBarVisible);
}

void PanelDisplay::LabelsChanged(const TPanelLabels& l) {
  const std::pair<LabelSlot, const std::string*> texts[] = {{lbInput, &l.lbInput},
                                                            {lbPresetNum, &l.lbPresetNum},
                                                            {lbRadioNum, &l.lbRadioNum},
                                                            {lbRadioName, &l.lbRadioName},
                                                            {lbHz, &l.lbHz},
                                                            {lbAutoManu, &l.lbAutoManu},
                                                            {lbRepeat, &l.lbRepeat},
                                                            {lbMute, &l.lbMute},
                                                            {lbTone, &l.lbTone},
                                                            {lbVolStr, &l.lbVolStr},
                                                            {lbVol, &l.lbVol}};
  for (const auto& [slot, text] : texts) {
    if (labelTexts_[slot] == *text) continue;
    const bool sameWidth = WidthCannotChange(labelTexts_[slot], *text, true) && EvenDigits(slot);
    labelTexts_[slot] = *text;
    labels_[slot]->setText(Caption(*text));
    if (skinned_ && !sameWidth) labels_[slot]->adjustSize();
  }
  labels_[lbRadioNum]->setVisible(l.lbRadioNumVisible);
  labels_[lbRadioName]->setVisible(l.lbRadioNameVisible);
  labels_[lbHz]->setVisible(l.lbHzVisible);
  if (screenReaderListens_) DescribeStatus(l);
}

void PanelDisplay::SimulatedMarkChanged(const std::string& mark) {
  if (mark == simMarkText_) return;
  simMarkText_ = mark;
  simMark_->setText(Caption(mark));
  if (skinned_) simMark_->adjustSize();
  simMark_->setVisible(!mark.empty());
  if (screenReaderListens_ && controller_) DescribeStatus(controller_->Labels());
}

void PanelDisplay::DescribeStatus(const TPanelLabels& labels) {
  const QString status = QString::fromStdString(PanelDescription(labels, simMarkText_));
  if (status != window_.accessibleDescription()) window_.setAccessibleDescription(status);
}

void PanelDisplay::accessibilityActiveChanged(bool active) {
  screenReaderListens_ = active;
  if (active && controller_) DescribeStatus(controller_->Labels());
}

bool PanelDisplay::EvenDigits(std::size_t slot) {
  if (!evenDigits_[slot]) evenDigits_[slot] = DigitsShareOneWidth(labels_[slot]->font());
  return *evenDigits_[slot];
}

void PanelDisplay::VolumeSliderChanged(const TVolumeSlider& slider) {
  syncingVolumeBar_ = true;
  volumeBar_->setRange(0, slider.max);
  volumeBar_->setSingleStep(slider.smallChange);
  volumeBar_->setPageStep(slider.largeChange);
  volumeBar_->setValue(slider.position);
  syncingVolumeBar_ = false;
}

void PanelDisplay::VolumeBarMoved(int value) {
  if (syncingVolumeBar_ || !controller_) return;
  controller_->MoveVolumeSlider(value);
}

void PanelDisplay::TimersChanged(const TimerState& timer1, const TimerState& timer2) {
  const std::pair<QTimer*, const TimerState*> timers[] = {{&timer1_, &timer1}, {&timer2_, &timer2}};
  for (const auto& [timer, state] : timers) {
    if (!state->Enabled) {
      timer->stop();
      timer->setInterval(state->Interval);
    } else if (!timer->isActive() || timer->interval() != state->Interval) {
      timer->start(state->Interval);
    }
  }
}

void PanelDisplay::TitleChanged(const std::string& title) {
  // The window's title is also its taskbar text. No application display name: Qt appends that
  // to every window's caption (" — ZR4PCCtrl"), and captions are the windows' own texts.
  window_.setWindowTitle(QString::fromStdString(title));
}

bool PanelDisplay::OverStationLabels(QPoint position) const {
  for (const QLabel* label : {labels_[lbRadioNum], labels_[lbRadioName]})
    if (label->isVisible() && label->geometry().contains(position)) return true;
  return false;
}

void PanelDisplay::StopTimers() {
  timer1_.stop();
  timer2_.stop();
}

}  // namespace zr4

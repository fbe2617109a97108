#include "shell/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QWheelEvent>
#include <cstdio>

#include "core/app/controller.h"
#include "core/commands/keyboard.h"
#include "core/panel/app_title.h"
#include "core/panel/panel_labels.h"
#include "core/panel/snapping.h"
#include "core/panel/status_report.h"
#include "core/panel/window_timers.h"
#include "shell/app/about_box.h"
#include "shell/app/app_icon.h"
#include "shell/app/key_map.h"
#include "shell/app/label_width.h"
#include "shell/app/option_dialog.h"
#include "shell/app/popup_menu.h"
#include "shell/app/skin_button.h"
#include "shell/app/skin_region.h"
#include "shell/app/volume_bar.h"

namespace zr4 {

namespace {
// A dark front panel with display-tube coloured text.
constexpr QSize kFaceSize(360, 112);
const QColor kFaceColor(0x1c, 0x20, 0x26);
const QColor kBorderColor(0x4a, 0x52, 0x5c);
const QColor kTextColor(0x7f, 0xe3, 0xff);
const char* const kScrollBarStyle =
    "QScrollBar:horizontal { background: #101317; border: 1px solid #4a525c; margin: 0 16px; }"
    "QScrollBar::handle:horizontal { background: #7fe3ff; min-width: 10px; }"
    "QScrollBar::add-line:horizontal { background: #2a3038; width: 16px;"
    "  subcontrol-origin: margin; subcontrol-position: right; }"
    "QScrollBar::sub-line:horizontal { background: #2a3038; width: 16px;"
    "  subcontrol-origin: margin; subcontrol-position: left; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

// The volume bar's hint.
constexpr const char* kVolumeHint = "VOLUME";

TRect ToTRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QString Caption(const std::string& text) {
  return QString::fromStdString(LabelDisplayText(text));
}

QColor ColorOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The family a skin's face name draws with: the name itself when installed, else the first
// installed stand-in. Asked once per name; the installed families are listed once, so that a face
// this system lacks is never looked up through the font configuration's aliases, which costs
// more than the rest of a skin's loading.
QString InstalledFamily(const QString& name) {
  static const QSet<QString> installed = [] {
    QSet<QString> families;
    for (const QString& family : QFontDatabase::families()) families.insert(family.toCaseFolded());
    return families;
  }();
  static QHash<QString, QString> chosen;
  if (auto it = chosen.constFind(name); it != chosen.constEnd()) return *it;
  QString family = name;
  if (!installed.contains(name.toCaseFolded())) {
    for (const QString& standIn : QFont::substitutes(name)) {
      if (installed.contains(standIn.toCaseFolded())) {
        family = standIn;
        break;
      }
    }
  }
  chosen.insert(name, family);
  return family;
}

// A skin font: sizes are points at 96 dots per inch, so that text keeps its place in the
// skin's pixels whatever the screen; a font nobody set is the platform's face at 8 points.
QFont FontOf(const TSkinFont& f, const QFont& base) {
  QFont font = base;
  if (!f.Name.empty()) font.setFamilies({InstalledFamily(QString::fromStdString(f.Name))});
  font.setPixelSize(std::max(1, (f.Size * 96 + 36) / 72));
  font.setBold((f.Style & kFontBold) != 0);
  font.setItalic((f.Style & kFontItalic) != 0);
  font.setUnderline((f.Style & kFontUnderline) != 0);
  font.setStrikeOut((f.Style & kFontStrikeOut) != 0);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
  return font;
}

// Faces that skins name and other systems lack, with what stands in for them.
void SubstituteSkinFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList japanese = {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic"};
  for (const char* face :
       {"MS UI Gothic", "MS PGothic", "MS Gothic", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"})
    QFont::insertSubstitutions(face, japanese);
  for (const char* face : {"Arial", "Tahoma", "MS Sans Serif", "Verdana"})
    QFont::insertSubstitutions(face, {"Liberation Sans", "DejaVu Sans", "IPAPGothic"});
}

}  // namespace

MainWindow::MainWindow(bool interactive, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), interactive_(interactive) {
  setObjectName("TZR4CtrlMainForm");
  // The caption from the start: a message shown before the title is set (no component found)
  // carries it too, not the program's file name.
  setWindowTitle(QString::fromUtf8(kAppTitle));
  QAccessible::installActivationObserver(this);
  setFixedSize(kFaceSize);
  move(kDesignLeft, kDesignTop);
  QPalette face = palette();
  face.setColor(QPalette::Window, kFaceColor);
  face.setColor(QPalette::WindowText, kTextColor);
  setPalette(face);
  setAutoFillBackground(true);

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

  scrollBar1_ = new VolumeBar(this);
  scrollBar1_->setObjectName("ScrollBar1");
  scrollBar1_->setToolTip(kVolumeHint);
  scrollBar1_->setAccessibleName(kVolumeHint);
  scrollBar1_->setGeometry(14, 82, 334, 18);
  scrollBar1_->setInvertedControls(false);
  scrollBar1_->setStyleSheet(kScrollBarStyle);
  // Keys are the window's, not the scroll bar's.
  scrollBar1_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar1_, &QScrollBar::valueChanged, this, &MainWindow::ScrollBarMoved);
  scrollBar1_->installEventFilter(this);

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

  popupMenu_.setObjectName("PopupMenu1");
  BuildPopupMenu(popupMenu_, *this);
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(BuiltInIcon());
  CreateSkinButtons();
  SubstituteSkinFonts();
}

// Hidden until a skin places and shows them.
void MainWindow::CreateSkinButtons() {
  for (int i = 0; i < kSkinButtonCount; ++i) {
    auto* button = new SkinButton(i, this);
    button->hide();
    connect(button, &SkinButton::clicked, this, [this, i] {
      if (controller_) controller_->SkinButtonClick(i);
    });
    skinButtons_[static_cast<std::size_t>(i)] = button;
  }
  skinButtons_[btnVolseek]->OnDrag = [this](bool leftOnly, QPoint at) {
    if (controller_) controller_->VolumeKnobDrag(leftOnly, at.x(), at.y());
  };
}

QLabel* MainWindow::LabelOfSlot(int displaySlot) const {
  static constexpr LabelSlot kBySlot[kDisplaySlotCount] = {
      lbInput, lbVol,  lbVolStr, lbPresetNum, lbRadioNum, lbHz,
      lbMute,  lbTone, lbRepeat, lbAutoManu,  lbRadioName};
  return labels_[kBySlot[displaySlot]];
}

void MainWindow::SkinChanged(const TSkinLook& look, const TSkinLayout& layout) {
  skinned_ = true;
  if (!look.Main.Empty()) {
    image1_ = ToQImage(look.Main);
    image2x_ = ToQImage(look.Main2x);
    setAutoFillBackground(false);
    setFixedSize(image1_.size());
  }
  if (look.Outline)
    setMask(RegionOf(*look.Outline));
  else
    clearMask();
  FramedChanged(layout.Framed);

  for (int slot = 0; slot < kDisplaySlotCount; ++slot) {
    QLabel* label = LabelOfSlot(slot);
    const auto s = static_cast<std::size_t>(slot);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(FontOf(layout.LabelFont[s], QApplication::font()));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, ColorOf(layout.LabelFont[s].Color));
    label->setPalette(colours);
    label->move(layout.LabelPos[s].x, layout.LabelPos[s].y);
    // An empty label draws nothing; it is sized when it gets a text, so that a font no text
    // needs is never loaded.
    if (!label->text().isEmpty()) label->adjustSize();
    if (layout.LabelVisible[s]) label->setVisible(*layout.LabelVisible[s]);
  }
  simMark_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  simMark_->setFont(FontOf(layout.SimMarkFont, QApplication::font()));
  QPalette markColours = simMark_->palette();
  markColours.setColor(QPalette::WindowText, ColorOf(layout.SimMarkFont.Color));
  simMark_->setPalette(markColours);
  simMark_->move(layout.SimMarkPos.x, layout.SimMarkPos.y);
  if (!simMark_->text().isEmpty()) simMark_->adjustSize();
  // Measured when first needed: a font no label text has asked for yet stays unloaded.
  evenDigits_.fill(std::nullopt);
  for (int i = 0; i < kSkinButtonCount; ++i) {
    SkinButton* button = skinButtons_[static_cast<std::size_t>(i)];
    const TButtonPlace& place = layout.Buttons[static_cast<std::size_t>(i)];
    button->SetFace(look.Buttons[static_cast<std::size_t>(i)]);
    button->SetSkinMode(place.SkinMode);
    button->move(place.Pos.x, place.Pos.y);
    button->setVisible(place.Visible);
    button->raise();
  }
  const TRect& bar = layout.ScrollBar;
  if (layout.ScrollBarVertical)
    scrollBar1_->setOrientation(*layout.ScrollBarVertical ? Qt::Vertical : Qt::Horizontal);
  scrollBar1_->setGeometry(
      bar.left, bar.top, std::max(0, bar.Width()),
      layout.ScrollBarKeepsHeight ? scrollBar1_->height() : std::max(0, bar.Height()));
  scrollBar1_->setVisible(layout.ScrollBarVisible);
  update();
}

void MainWindow::VolumeKnobMoved(int left, int top) {
  skinButtons_[btnVolseek]->move(left, top);
}

void MainWindow::FramedChanged(bool framed) {
  if (framed == !windowFlags().testFlag(Qt::FramelessWindowHint)) return;
  // Changing a window flag hides the window and may let it wander: put both back.
  const QPoint position = pos();
  const bool visible = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, !framed);
  move(position);
  if (visible) show();
}

std::optional<TRect> MainWindow::WorkArea() {
  if (const QScreen* s = screen()) return ToTRect(s->availableGeometry());
  return std::nullopt;
}

QImage MainWindow::Picture() {
  // Converted where it lies: the grabbed pixmap is gone once the image is taken from it.
  QImage picture = grab().toImage();
  picture.convertTo(QImage::Format_ARGB32);
  if (mask().isEmpty()) return picture;
  // Outside the outline the desktop shows through.
  const QRegion outside = QRegion(rect()).subtracted(mask());
  QPainter painter(&picture);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  for (const QRect& r : outside) painter.fillRect(r, Qt::transparent);
  return picture;
}

QLabel* MainWindow::MakeLabel(const char* name, QRect geometry, int pointSize, bool bold,
                              Qt::Alignment alignment) {
  auto* label = new QLabel(this);
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

void MainWindow::LabelsChanged(const TPanelLabels& l) {
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

void MainWindow::SimulatedMarkChanged(const std::string& mark) {
  if (mark == simMarkText_) return;
  simMarkText_ = mark;
  simMark_->setText(Caption(mark));
  if (skinned_) simMark_->adjustSize();
  simMark_->setVisible(!mark.empty());
  if (screenReaderListens_ && controller_) DescribeStatus(controller_->Labels());
}

MainWindow::~MainWindow() {
  QAccessible::removeActivationObserver(this);
}

void MainWindow::DescribeStatus(const TPanelLabels& labels) {
  const QString status = QString::fromStdString(PanelDescription(labels, simMarkText_));
  if (status != accessibleDescription()) setAccessibleDescription(status);
}

void MainWindow::accessibilityActiveChanged(bool active) {
  screenReaderListens_ = active;
  if (active && controller_) DescribeStatus(controller_->Labels());
}

bool MainWindow::EvenDigits(std::size_t slot) {
  if (!evenDigits_[slot]) evenDigits_[slot] = DigitsShareOneWidth(labels_[slot]->font());
  return *evenDigits_[slot];
}

void MainWindow::VolumeSliderChanged(const TVolumeSlider& slider) {
  syncingScrollBar_ = true;
  scrollBar1_->setRange(0, slider.max);
  scrollBar1_->setSingleStep(slider.smallChange);
  scrollBar1_->setPageStep(slider.largeChange);
  scrollBar1_->setValue(slider.position);
  syncingScrollBar_ = false;
}

void MainWindow::ScrollBarMoved(int value) {
  if (syncingScrollBar_ || !controller_) return;
  controller_->MoveVolumeSlider(value);
}

void MainWindow::TimersChanged(const TimerState& timer1, const TimerState& timer2) {
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

void MainWindow::TitleChanged(const std::string& title) {
  // The window's title is also its taskbar text. No application display name: Qt appends that
  // to every window's caption (" — ZR4PCCtrl"), and captions are the windows' own texts.
  setWindowTitle(QString::fromStdString(title));
}

void MainWindow::ShowMessage(const std::string& text) {
  ShowCaptionedMessage(windowTitle().toStdString(), text);
}

void MainWindow::ShowCaptionedMessage(const std::string& caption, const std::string& text) {
  if (!interactive_) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok, isVisible() ? this : nullptr);
  box.exec();
}

void MainWindow::ShowNotification(const std::string& title, const std::string& text) {
  if (!tray_.Notify(QApplication::windowIcon(), QString::fromStdString(title),
                    QString::fromStdString(text)))
    std::fprintf(stderr, "zr4pcctrl: %s\n", text.c_str());
}

void MainWindow::SetController(TController* controller) {
  controller_ = controller;
  FillPopupMenu(popupMenu_, *this);
  trayMenu_.Refresh();
  tray_.SetMenu(trayMenu_.Menu());
  ShowButtonHints();
}

// Each skinned button shows the hint of the action it runs; skins change pictures and places,
// never hints. The hint is also the button's name to screen readers; the volume knob runs no
// action and moves the volume, so it is named as the volume bar is.
void MainWindow::ShowButtonHints() {
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const char* name = kSkinButtonActions[static_cast<std::size_t>(i)];
    const TAction* action = controller_ && name ? controller_->Actions().Find(name) : nullptr;
    const QString hint = action ? QString::fromStdString(action->Hint) : QString();
    SkinButton* button = skinButtons_[static_cast<std::size_t>(i)];
    button->setToolTip(hint);
    button->setAccessibleName(i == btnVolseek ? QString(kVolumeHint) : hint);
  }
}

void MainWindow::ShowWindow() {
  show();
}

void MainWindow::CloseWindow() {
  close();
}

void MainWindow::ShortcutsChanged(const std::vector<TShortcutBinding>& shortcuts) {
  InstallShortcuts(*this, shortcuts);
}

void MainWindow::SetTopmost(bool topmost) {
  // Changing a window flag hides the window and may let it wander: put both back.
  const QPoint position = pos();
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  move(position);
  if (visible) show();
}

// Not showMinimized(): it shows the window again after the minimise handler has hidden it in
// the tray. A window that does not go to the tray is shown minimised.
void MainWindow::Minimize() {
  setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
  if (!isVisible() && !tray_.Shown()) show();
}

// A Wayland client is told neither where its window is nor allowed to move it: the compositor
// alone places it.
bool MainWindow::KnowsWindowPosition() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

TRect MainWindow::WindowRect() {
  return ToTRect(frameGeometry());
}

void MainWindow::MoveWindow(int left, int top) {
  move(left, top);
}

bool MainWindow::TrayAvailable() {
  return TrayIcon::Available();
}

// The tray's state shows in the menu's marks ("Tas&kTray", "Al&ways On Top"), and a host that
// shows the menu itself may hold it open.
void MainWindow::TrayIconChanged(bool shown, const std::string& tip) {
  trayMenu_.Refresh();
  if (shown) {
    // The tray has a built-in icon of its own; an icon file chosen in the about box is shown
    // there too.
    tray_.Show(iconFromFile_ ? QApplication::windowIcon() : BuiltInTrayIcon(),
               QString::fromStdString(tip));
  } else {
    tray_.Hide();
  }
}

void MainWindow::HideWindow() {
  hide();
  trayMenu_.Refresh();
}

void MainWindow::RestoreWindow() {
  trayMenu_.Refresh();
  showNormal();
  raise();
  activateWindow();
}

bool MainWindow::WindowVisible() {
  return isVisible() && !isMinimized();
}

void MainWindow::SetForeground() {
  raise();
  activateWindow();
}

// Opened from the tray, the menu ends at the pointer, as menus of icons at the screen's edge do.
void MainWindow::PopupMenuAtCursor() {
  if (controller_) controller_->PrepareMenu();
  FillPopupMenu(popupMenu_, *this);
  const QPoint cursor = QCursor::pos();
  popupMenu_.popup(cursor - QPoint(popupMenu_.sizeHint().width(), 0));
}

bool MainWindow::SetApplicationIcon(const std::string& file) {
  if (file.empty()) {
    QApplication::setWindowIcon(BuiltInIcon());
    iconFromFile_ = false;
    return true;
  }
  const QString path = IconsFolder() + '/' + QString::fromStdString(file);
  if (!QFileInfo::exists(path)) return true;  // nothing to load: the icon stays
  const QIcon icon = LoadIconFile(path);
  if (icon.isNull()) return false;
  QApplication::setWindowIcon(icon);
  iconFromFile_ = true;
  return true;
}

bool MainWindow::RunOptionDialog(TOptionFormModel& form) {
  OptionDialog dialog(form, this);
  return dialog.exec() == QDialog::Accepted;
}

void MainWindow::RunAboutBox(TAboutModel& about) {
  AboutBox box(about, this);
  box.exec();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !controller_) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if (isMinimized()) {
    controller_->ApplicationMinimize();
  } else if (change->oldState() & Qt::WindowMinimized) {
    controller_->ApplicationRestore();
  }
}

void MainWindow::RestoreAndRaise() {
  if (isMinimized()) {
    showNormal();
  } else if (!isVisible()) {
    show();
  }
  raise();
  activateWindow();
}

void MainWindow::EndSession() {
  if (!closeStepDone_) {
    emit closing();
    if (controller_) controller_->QueryEndSession();
  }
  closeStepDone_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closeStepDone_) {
    closeStepDone_ = true;
    emit closing();
    if (controller_) controller_->FormClose();
  }
  timer1_.stop();
  timer2_.stop();
  event->accept();
  // A message or dialog still open (the window closed by a signal, the session's end or a later
  // start) would keep its own loop running after the window has gone.
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget != this && widget->isModal() && widget->isVisible()) widget->close();
  emit closed();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (controller_ && OverStationLabels(event->pos())) return ShowLabelMenu(event->globalPos());
  popupMenu_.popup(event->globalPos());
}

bool MainWindow::OverStationLabels(QPoint position) const {
  for (const QLabel* label : {labels_[lbRadioNum], labels_[lbRadioName]})
    if (label->isVisible() && label->geometry().contains(position)) return true;
  return false;
}

// The frequency and station-name labels carry their own one-entry menu; the core says whether
// it pops up (elsewhere the right click is swallowed).
void MainWindow::ShowLabelMenu(QPoint globalPosition) {
  if (!controller_->LabelMenuPops()) return;
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setObjectName("LabelMenu");
  connect(menu->addAction(QString::fromUtf8(kLabelMenuCaption)), &QAction::triggered, this,
          [this] { controller_->LabelMenuClick(); });
  menu->popup(globalPosition);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (controller_ && controller_->KeyDown(VirtualKeyOf(*event), ShiftStateOf(*event)))
    return event->accept();
  QWidget::keyPressEvent(event);
}

// One volume step per notch (120 units); fine-grained wheels and touchpads add up to notches.
void MainWindow::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!controller_) return;
  constexpr int kNotch = 120;
  wheelDelta_ += event->angleDelta().y();
  for (; wheelDelta_ >= kNotch; wheelDelta_ -= kNotch) controller_->MouseWheel(true);
  for (; wheelDelta_ <= -kNotch; wheelDelta_ += kNotch) controller_->MouseWheel(false);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrollBar1_) {
    if (event->type() == QEvent::Wheel) {
      wheelEvent(static_cast<QWheelEvent*>(event));
      return true;
    }
    if (event->type() == QEvent::ContextMenu) {
      const auto* menu = static_cast<QContextMenuEvent*>(event);
      popupMenu_.popup(menu->globalPos());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// Dragging the face moves the frameless window. The controller snaps each step like a native
// move, from the mouse's movement since the last step.
void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  // A press in the volume bar sets the volume first; the window follows the pointer in any case.
  if (controller_) {
    const QPoint at = event->position().toPoint();
    controller_->FaceMouseDown(at.x(), at.y());
    controller_->WindowDragStarted();
  }
  dragging_ = true;
  lastMouse_ = event->globalPosition().toPoint();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  const QPoint mouse = event->globalPosition().toPoint();
  const QPoint delta = mouse - lastMouse_;
  lastMouse_ = mouse;
  if (controller_) controller_->WindowDragged(delta.x(), delta.y(), OtherVisibleWindows());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

std::vector<TRect> MainWindow::OtherVisibleWindows() const {
  std::vector<TRect> others;
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this || !w->isVisible()) continue;
    const Qt::WindowType type = w->windowType();
    if (type == Qt::Window || type == Qt::Dialog) others.push_back(ToTRect(w->frameGeometry()));
  }
  return others;
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!image1_.isNull()) {
    // The skin's own 2x face where it has one; otherwise whole-number screen scales enlarge the
    // skin's pixels without smoothing.
    if (!image2x_.isNull() && DrawsAt2x(painter))
      painter.drawImage(QRect(QPoint(0, 0), image1_.size()), image2x_);
    else
      painter.drawImage(QPoint(0, 0), image1_);
    return;
  }
  painter.setPen(kBorderColor);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zr4

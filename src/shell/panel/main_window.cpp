#include "shell/panel/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdio>

#include "core/app/controller.h"
#include "core/commands/keyboard.h"
#include "core/panel/app_title.h"
#include "core/panel/snapping.h"
#include "shell/app/app_icon.h"
#include "shell/menu/key_map.h"
#include "shell/panel/volume_bar.h"

namespace zr4 {

namespace {
// A dark front panel with display-tube coloured text.
constexpr QSize kFaceSize(360, 112);
const QColor kFaceColor(0x1c, 0x20, 0x26);
const QColor kBorderColor(0x4a, 0x52, 0x5c);
const QColor kTextColor(0x7f, 0xe3, 0xff);

TRect ToTRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
}  // namespace

MainWindow::MainWindow(bool interactive, TrayIcon& tray, const ProgramFolders& folders,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      interactive_(interactive),
      skin_(*this, kVolumeHint),
      tray_(*this, tray, folders.icons),
      dialogs_(*this, folders) {
  setObjectName("TZR4CtrlMainForm");
  // The caption from the start: a message shown before the title is set (no component found)
  // carries it too, not the program's file name.
  setWindowTitle(QString::fromUtf8(kAppTitle));
  setFixedSize(kFaceSize);
  move(kDesignLeft, kDesignTop);
  QPalette face = palette();
  face.setColor(QPalette::Window, kFaceColor);
  face.setColor(QPalette::WindowText, kTextColor);
  setPalette(face);
  setAutoFillBackground(true);

  panel_.VolumeScrollBar().installEventFilter(this);
  connect(&panel_, &PanelDisplay::statusShown, this, &MainWindow::statusShown);
  // A skin places the frame, then what the panel shows on the face.
  connect(&skin_, &SkinFace::changed, this,
          [this](const TSkinLook&, const TSkinLayout& layout) { FramedChanged(layout.Framed); });
  connect(&skin_, &SkinFace::changed, &panel_,
          [this](const TSkinLook&, const TSkinLayout& layout) { panel_.ApplySkin(layout); });
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(BuiltInIcon());
}

void MainWindow::SetController(TController* controller) {
  controller_ = controller;
  panel_.SetController(controller);
  menu_.SetController(controller);
  tray_.SetController(controller);
  skin_.SetController(controller);
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
  if (!tray_.Notify(title, text)) std::fprintf(stderr, "zr4pcctrl: %s\n", text.c_str());
}

void MainWindow::ShowWindow() {
  show();
}

void MainWindow::CloseWindow() {
  close();
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
  if (!isVisible() && !tray_.IconShown()) show();
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

void MainWindow::SetForeground() {
  raise();
  activateWindow();
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
  panel_.StopTimers();
  event->accept();
  // A message or dialog still open (the window closed by a signal, the session's end or a later
  // start) would keep its own loop running after the window has gone.
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget != this && widget->isModal() && widget->isVisible()) widget->close();
  emit closed();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (controller_ && panel_.OverStationLabels(event->pos()))
    return menu_.PopUpLabelMenu(event->globalPos());
  menu_.Menu().popup(event->globalPos());
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
  if (watched == &panel_.VolumeScrollBar()) {
    if (event->type() == QEvent::Wheel) {
      wheelEvent(static_cast<QWheelEvent*>(event));
      return true;
    }
    if (event->type() == QEvent::ContextMenu) {
      const auto* menu = static_cast<QContextMenuEvent*>(event);
      menu_.Menu().popup(menu->globalPos());
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
  if (skin_.Paint(painter)) return;
  painter.setPen(kBorderColor);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zr4

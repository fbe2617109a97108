#include "shell/skin/skin_button.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace zr4 {

namespace {
constexpr int kStateImages = 3;
}

// A skin picture's pixels are either opaque or wholly transparent with colour 0, so its words are
// already premultiplied: the premultiplied format is the one the raster engine draws without
// converting every pixel on every paint.
QImage ToQImage(const TImage& image) {
  if (image.Empty()) return {};
  QImage q(image.Width, image.Height, QImage::Format_ARGB32_Premultiplied);
  // Rows of 32-bit pixels need no padding: the picture is copied whole.
  const std::size_t bytes =
      std::min(static_cast<std::size_t>(q.sizeInBytes()), image.Argb.size() * 4);
  std::memcpy(q.bits(), image.Argb.data(), bytes);
  return q;
}

// The device actually painted on: a widget rendered into a picture (a screenshot) paints there
// rather than on its window.
bool DrawsAt2x(const QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  const QPaintDevice* device = engine ? engine->paintDevice() : painter.device();
  return device && device->devicePixelRatio() >= 2;
}

SkinButton::SkinButton(int index, QWidget* parent) : QAbstractButton(parent), index_(index) {
  setObjectName(kSkinButtonKeys[static_cast<std::size_t>(index)]);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover);
}

void SkinButton::SetFace(const TButtonFace& face) {
  if (face.Width > 0 && face.Height > 0) setFixedSize(face.Width, face.Height);
  if (face.Image.Empty()) return;
  image_ = ToQImage(face.Image);
  image2x_ = ToQImage(face.Image2x);
  stateWidth_ = face.SkinMode ? face.Image.Width / kStateImages : face.Image.Width;
  update();
}

void SkinButton::SetSkinMode(bool skinMode) {
  skinMode_ = skinMode;
  update();
}

int SkinButton::StateImage() const {
  if (!isEnabled()) return 0;
  if (isDown()) return 2;
  return mouseIn_ ? 1 : 0;
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (skinMode_) {
    if (image_.isNull() || stateWidth_ <= 0) return;
    const QRect state(StateImage() * stateWidth_, 0, stateWidth_, image_.height());
    if (!image2x_.isNull() && DrawsAt2x(painter))
      painter.drawImage(QRect(QPoint(0, 0), state.size()), image2x_,
                        QRect(state.topLeft() * 2, state.size() * 2));
    else
      painter.drawImage(QPoint(0, 0), image_, state);
    return;
  }
  // A flat button: a frame only while the pointer is over it or it is pressed.
  if (isDown() || mouseIn_) {
    painter.setPen(isDown() ? palette().color(QPalette::Dark) : palette().color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(isDown() ? palette().color(QPalette::Light) : palette().color(QPalette::Dark));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  }
  if (!image_.isNull()) {
    const QPoint at((width() - image_.width()) / 2 + (isDown() ? 1 : 0),
                    (height() - image_.height()) / 2 + (isDown() ? 1 : 0));
    painter.drawImage(at, image_);
  }
}

void SkinButton::enterEvent(QEnterEvent* event) {
  mouseIn_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
  mouseIn_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
  if (OnDrag) {
    const bool leftOnly =
        event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
    OnDrag(leftOnly, event->position().toPoint());
  }
  QAbstractButton::mouseMoveEvent(event);
}

}  // namespace zr4

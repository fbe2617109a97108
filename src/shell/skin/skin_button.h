// One of the window's 27 skinned buttons. With a shaped skin it paints one of its three state
// images (normal, pointer over it, pressed); with a strip skin it is a flat button that shows
// its glyph and a frame only while the pointer is over it or it is pressed.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <functional>

class QPainter;

#include "core/skin/skin.h"

namespace zr4 {

class SkinButton : public QAbstractButton {
  Q_OBJECT

 public:
  SkinButton(int index, QWidget* parent);
  int Index() const { return index_; }

  // The button's pictures and size from the skin; a button without a picture keeps its old
  // one, as a skin that supplies none leaves it.
  void SetFace(const TButtonFace& face);
  void SetSkinMode(bool skinMode);
  bool SkinMode() const { return skinMode_; }
  // Which state image paints: 0 normal, 1 pointer over it, 2 pressed.
  int StateImage() const;

  // The mouse moved over the button with these buttons held (the volume knob's drag).
  std::function<void(bool leftButtonOnly, QPoint at)> OnDrag;

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int index_;
  bool mouseIn_ = false;
  bool skinMode_ = false;
  QImage image_;    // all state images side by side, or the glyph
  QImage image2x_;  // the state images at twice the size, or none
  int stateWidth_ = 0;
};

// The skin's picture as a Qt image (premultiplied ARGB: opaque or wholly transparent pixels).
QImage ToQImage(const TImage& image);

// Whether a painter draws at 200 % or more, where a skin's 2x pictures take the place of its
// enlarged 1x ones. Fractional scales arrive rounded to whole ones.
bool DrawsAt2x(const QPainter& painter);

}  // namespace zr4

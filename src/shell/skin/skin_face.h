// What the window draws of a skin: its face, its outline and its 27 buttons. What else a skin
// places (the labels, the volume bar, the frame) refreshes itself from the `changed` signal.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <array>

#include "core/skin/skin.h"
#include "core/skin/skin_layout.h"
#include "core/skin/skin_view.h"

class QPainter;
class QWidget;

namespace zr4 {

class SkinButton;
class TController;

class SkinFace : public QObject, public SkinView {
  Q_OBJECT

 public:
  // The buttons are made on `window`, hidden until a skin places them. The volume knob runs no
  // action and moves the volume: screen readers get `knobName` for it, the volume bar's name.
  SkinFace(QWidget& window, QString knobName);

  // The controller the buttons' clicks and the knob's drags go to, and whose actions' hints the
  // buttons show.
  void SetController(TController* controller);

  void SkinChanged(const TSkinLook& look, const TSkinLayout& layout) override;
  void VolumeKnobMoved(int left, int top) override;

  // Paints the skin's face over the whole window; false while no skin has given one.
  bool Paint(QPainter& painter) const;
  SkinButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

 signals:
  // A skin was loaded: after the face and outline, before the buttons are placed.
  void changed(const TSkinLook& look, const TSkinLayout& layout);

 private:
  void ShowButtonHints();

  QWidget& window_;
  QString knobName_;
  TController* controller_ = nullptr;
  std::array<SkinButton*, kSkinButtonCount> buttons_{};
  QImage image1_;   // the skin's face
  QImage image2x_;  // the face at twice the size, or none
};

}  // namespace zr4

#include "shell/skin/skin_face.h"

#include <QPainter>
#include <QWidget>
#include <utility>

#include "core/app/controller.h"
#include "core/skin/skin_control.h"
#include "shell/skin/skin_button.h"
#include "shell/skin/skin_fonts.h"
#include "shell/skin/skin_region.h"

namespace zr4 {

SkinFace::SkinFace(QWidget& window, QString knobName)
    : window_(window), knobName_(std::move(knobName)) {
  for (int i = 0; i < kSkinButtonCount; ++i) {
    auto* button = new SkinButton(i, &window);
    button->hide();
    connect(button, &SkinButton::clicked, this, [this, i] {
      if (controller_) controller_->SkinButtonClick(i);
    });
    buttons_[static_cast<std::size_t>(i)] = button;
  }
  buttons_[btnVolseek]->OnDrag = [this](bool leftOnly, QPoint at) {
    if (controller_) controller_->VolumeKnobDrag(leftOnly, at.x(), at.y());
  };
  SubstituteSkinFonts();
}

void SkinFace::SetController(TController* controller) {
  controller_ = controller;
  ShowButtonHints();
}

// Each skinned button shows the hint of the action it runs; skins change pictures and places,
// never hints. The hint is also the button's name to screen readers.
void SkinFace::ShowButtonHints() {
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const char* name = kSkinButtonActions[static_cast<std::size_t>(i)];
    const TAction* action = controller_ && name ? controller_->Actions().Find(name) : nullptr;
    const QString hint = action ? QString::fromStdString(action->Hint) : QString();
    SkinButton* button = buttons_[static_cast<std::size_t>(i)];
    button->setToolTip(hint);
    button->setAccessibleName(i == btnVolseek ? knobName_ : hint);
  }
}

void SkinFace::SkinChanged(const TSkinLook& look, const TSkinLayout& layout) {
  if (!look.Main.Empty()) {
    image1_ = ToQImage(look.Main);
    image2x_ = ToQImage(look.Main2x);
    window_.setAutoFillBackground(false);
    window_.setFixedSize(image1_.size());
  }
  if (look.Outline)
    window_.setMask(RegionOf(*look.Outline));
  else
    window_.clearMask();
  emit changed(look, layout);
  for (int i = 0; i < kSkinButtonCount; ++i) {
    SkinButton* button = buttons_[static_cast<std::size_t>(i)];
    const TButtonPlace& place = layout.Buttons[static_cast<std::size_t>(i)];
    button->SetFace(look.Buttons[static_cast<std::size_t>(i)]);
    button->SetSkinMode(place.SkinMode);
    button->move(place.Pos.x, place.Pos.y);
    button->setVisible(place.Visible);
    button->raise();
  }
  window_.update();
}

void SkinFace::VolumeKnobMoved(int left, int top) {
  buttons_[btnVolseek]->move(left, top);
}

bool SkinFace::Paint(QPainter& painter) const {
  if (image1_.isNull()) return false;
  // The skin's own 2x face where it has one; otherwise whole-number screen scales enlarge the
  // skin's pixels without smoothing.
  if (!image2x_.isNull() && DrawsAt2x(painter))
    painter.drawImage(QRect(QPoint(0, 0), image1_.size()), image2x_);
  else
    painter.drawImage(QPoint(0, 0), image1_);
  return true;
}

}  // namespace zr4

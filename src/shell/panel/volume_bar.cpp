#include "shell/panel/volume_bar.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace zr4 {

namespace {

// Qt presents a scroll bar as one (a role that speaks of scrolling, not of volume); the bar
// stands for the component's volume, so it is a slider here.
class VolumeBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit VolumeBarAccessible(VolumeBar* bar) : QAccessibleWidget(bar, QAccessible::Slider) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return QString::number(Bar()->value());
    return QAccessibleWidget::text(kind);
  }

  // Setting the value moves the bar as a mouse would: the controller sends the new volume.
  QVariant currentValue() const override { return Bar()->value(); }
  void setCurrentValue(const QVariant& value) override { Bar()->setValue(value.toInt()); }
  QVariant maximumValue() const override { return Bar()->maximum(); }
  QVariant minimumValue() const override { return Bar()->minimum(); }
  QVariant minimumStepSize() const override { return Bar()->singleStep(); }

 private:
  QScrollBar* Bar() const { return static_cast<QScrollBar*>(widget()); }
};

QAccessibleInterface* VolumeBarFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(VolumeBar::staticMetaObject.className()))
    if (auto* bar = qobject_cast<VolumeBar*>(object)) return new VolumeBarAccessible(bar);
  return nullptr;
}

}  // namespace

VolumeBar::VolumeBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  // Factories are asked class by class from the most derived one: this one answers for the
  // volume bar before Qt's own answers for QScrollBar.
  static const bool installed = [] {
    QAccessible::installFactory(VolumeBarFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace zr4

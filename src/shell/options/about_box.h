// "バージョン情報": the program's name and version, the skin's credits, thanks; the program icon's
// context menu chooses the application icon from the "icons" folder.
#pragma once

#include <QDialog>
#include <QMenu>
#include <QString>

class QLabel;

namespace zr4 {

class TAboutModel;

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // The icon menu offers the icon files of `iconsFolder`.
  AboutBox(TAboutModel& about, const QString& iconsFolder, QWidget* parent = nullptr);

  QMenu& IconMenu() { return iconMenu_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildIconMenu(const QString& iconsFolder);

  TAboutModel& about_;
  QLabel* programIcon_ = nullptr;
  QMenu iconMenu_;
};

}  // namespace zr4

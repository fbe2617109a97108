// "オプション設定": the options dialog's widgets, bound to the core's model of it. Every edit goes
// to the model at once; the caller takes the model back only after OK.
#pragma once

#include <QDialog>
#include <QString>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;

namespace zr4 {

class TOptionFormModel;

class OptionDialog : public QDialog {
  Q_OBJECT

 public:
  // A skin chosen in `programFolder` is named relative to it; the browse for one starts in
  // `imagesFolder`.
  OptionDialog(TOptionFormModel& form, std::string programFolder, std::string imagesFolder,
               QWidget* parent = nullptr);

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  // The wheel over the focused tabs turns the pages, round and round.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Setting1Page();
  QWidget* Setting2Page();
  QWidget* RemotePage();
  QWidget* OtherPage();
  QWidget* TimerPage();
  QWidget* TrayPage();

  QCheckBox* Check(const char* name);
  QSpinBox* Spin(const char* name);
  void SpinRow(QWidget* parent, QGridLayout* grid, int row, int column, const char* name);
  QLineEdit* PathEdit(const char* name, std::string& setting);
  void UpdateEnabled();

  void BrowseSkin();
  void BrowsePlayer(QLineEdit* edit);

  // The lists (option_dialog_lists.cpp).
  void FillGestures();
  void FillTimers();
  void FillTray();
  void EditTimer(bool change);
  std::vector<int> SelectedRows(QTreeWidget* list) const;

  TOptionFormModel& form_;
  std::string programFolder_;
  std::string imagesFolder_;
  QTabWidget* tabs_ = nullptr;
  std::map<QString, QWidget*> controls_;  // check boxes and spin boxes by component name
  QLineEdit* skinEdit_ = nullptr;
  QLineEdit* sequenceEdit_ = nullptr;
  QComboBox* commandBox_ = nullptr;
  QTreeWidget* gestures_ = nullptr;
  QTreeWidget* timers_ = nullptr;
  QTreeWidget* tray_ = nullptr;
  QLabel* clickLabel_ = nullptr;
  QComboBox* trayChoice_ = nullptr;
  bool filling_ = false;  // a list is being filled from the model: its signals are not edits
};

}  // namespace zr4

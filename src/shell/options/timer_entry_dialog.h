// "タイマー設定": one timer of the options dialog's list, bound to the core's model of it.
#pragma once

#include <QDialog>

#include "core/options/timer_entry_model.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace zr4 {

class TOptionFormModel;

class TimerEntryDialog : public QDialog {
  Q_OBJECT

 public:
  // `change`: the number choice lists the rows; `selectedRow` (-1 for none) is shown.
  TimerEntryDialog(TOptionFormModel& form, bool change, int selectedRow, QWidget* parent = nullptr);

  // "決定": stores the entry when the input is complete, and closes with OK in every case.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowEntry();

  TOptionFormModel& form_;
  TTimerEntryModel entry_;
  QComboBox* number_ = nullptr;
  QComboBox* day_ = nullptr;
  QSpinBox* hour_ = nullptr;
  QSpinBox* minute_ = nullptr;
  QComboBox* option_ = nullptr;
  QComboBox* argument_ = nullptr;
  QLineEdit* command_ = nullptr;
};

}  // namespace zr4

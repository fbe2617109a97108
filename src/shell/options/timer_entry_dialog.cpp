#include "shell/options/timer_entry_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/options/option_form_model.h"
#include "shell/options/dialog_spin_box.h"
#include "shell/options/dialog_style.h"

namespace zr4 {

namespace {
constexpr QSize kClientSize(276, 171);

QSpinBox* TimeSpin(const char* name, int max) {
  auto* spin = new DialogSpinBox;
  spin->setObjectName(name);
  spin->setRange(0, max);
  spin->setAlignment(Qt::AlignRight);
  if (QLineEdit* edit = spin->findChild<QLineEdit*>()) edit->setMaxLength(2);
  return spin;
}
}  // namespace

TimerEntryDialog::TimerEntryDialog(TOptionFormModel& form, bool change, int selectedRow,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      form_(form),
      entry_(form, change, selectedRow) {
  setObjectName("Form4");
  setWindowTitle(Text("タイマー設定"));
  SetDialogFont(*this);

  number_ = new QComboBox(this);
  number_->setObjectName("NoCB");
  number_->setPlaceholderText(Text(change ? "No." : "新規"));
  for (const std::string& no : entry_.Numbers) number_->addItem(Text(no));
  number_->setEnabled(entry_.NumberEnabled());
  day_ = new QComboBox(this);
  day_->setObjectName("WeekCB");
  for (int day = 1; day <= 8; ++day) day_->addItem(Text(DayName(day)));
  hour_ = TimeSpin("HourSE", 23);
  minute_ = TimeSpin("MinSE", 59);
  option_ = new QComboBox(this);
  option_->setObjectName("CmdCB");
  for (const TTimerCommandOption& option : TimerCommandOptions()) option_->addItem(option.text);
  argument_ = new QComboBox(this);
  argument_->setObjectName("NumCB");
  // Ten rows and a scroll bar, as the gesture command list: styles that open a combo box as a
  // menu would show every value, as tall as the screen.
  argument_->setMaxVisibleItems(10);
  argument_->setStyleSheet("QComboBox { combobox-popup: 0; }");
  auto* add = new QPushButton(Text("追加"), this);
  add->setObjectName("AddBtn");
  auto* clear = new QPushButton(Text("削除"), this);
  clear->setObjectName("DelBtn");
  command_ = new QLineEdit(this);
  command_->setObjectName("CmdEdit");
  auto* ok = new QPushButton(Text("決定"), this);
  ok->setObjectName("OKbtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text("キャンセル"), this);
  cancel->setObjectName("CancelBtn");

  auto* grid = new QGridLayout;
  const std::pair<const char*, QWidget*> fields[] = {
      {"No.", number_}, {"曜日", day_}, {"時", hour_}, {"分", minute_}};
  int column = 0;
  for (const auto& [label, widget] : fields) {
    grid->addWidget(new QLabel(Text(label), this), 0, column);
    grid->addWidget(widget, 1, column++);
  }
  grid->addWidget(new QLabel(Text("コマンドリスト"), this), 2, 0, 1, 2);
  grid->addWidget(new QLabel(Text("引数"), this), 2, 2);
  grid->addWidget(option_, 3, 0, 1, 2);
  grid->addWidget(argument_, 3, 2);
  auto* pieces = new QHBoxLayout;
  pieces->addWidget(add);
  pieces->addWidget(clear);
  grid->addLayout(pieces, 3, 3);
  grid->addWidget(new QLabel(Text("実行コマンド"), this), 4, 0, 1, 4);
  grid->addWidget(command_, 5, 0, 1, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(number_, &QComboBox::activated, this, [this](int index) {
    entry_.ChooseNumber(index);
    ShowEntry();
  });
  connect(day_, &QComboBox::currentIndexChanged, this,
          [this](int index) { entry_.DayIndex = index; });
  connect(hour_, &QSpinBox::valueChanged, this, [this](int value) { entry_.SetHour(value); });
  connect(minute_, &QSpinBox::valueChanged, this, [this](int value) { entry_.SetMinute(value); });
  connect(option_, &QComboBox::currentIndexChanged, this, [this](int index) {
    entry_.ChooseOption(index);
    const QSignalBlocker block(argument_);
    argument_->clear();
    for (const std::string& argument : entry_.Arguments) argument_->addItem(Text(argument));
    argument_->setCurrentIndex(-1);
    option_->setToolTip(Text(entry_.OptionHint));
    argument_->setToolTip(Text(entry_.ArgumentHint));
  });
  connect(argument_, &QComboBox::currentIndexChanged, this,
          [this](int index) { entry_.ArgumentIndex = index; });
  connect(command_, &QLineEdit::textChanged, this,
          [this](const QString& text) { entry_.CommandLine = text.toStdString(); });
  connect(add, &QPushButton::clicked, this, [this] {
    if (entry_.AddToCommand()) command_->setText(Text(entry_.CommandLine));
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    entry_.ClearCommand();
    command_->clear();
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  option_->setCurrentIndex(-1);
  ShowEntry();
  resize(kClientSize.expandedTo(minimumSizeHint()));
  setFixedSize(size());
}

void TimerEntryDialog::ShowEntry() {
  number_->setCurrentIndex(entry_.NumberIndex);
  day_->setCurrentIndex(entry_.DayIndex);
  hour_->setValue(entry_.Hour);
  minute_->setValue(entry_.Minute);
  const QSignalBlocker block(command_);
  command_->setText(Text(entry_.CommandLine));
}

void TimerEntryDialog::accept() {
  entry_.Commit(form_);
  QDialog::accept();
}

void TimerEntryDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  KeepDialogInWorkArea(*this);
}

}  // namespace zr4

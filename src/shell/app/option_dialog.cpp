#include "shell/app/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/options/option_form_model.h"
#include "platform/base/program_folder.h"
#include "shell/app/dialog_spin_box.h"
#include "shell/app/dialog_style.h"

namespace zr4 {

namespace {
// The client area at 100 %; the layouts grow it where the desktop's font needs more room.
constexpr QSize kClientSize(366, 348);

QGroupBox* Group(const char* title, QWidget* parent) {
  auto* group = new QGroupBox(Text(title), parent);
  return group;
}
}  // namespace

OptionDialog::OptionDialog(TOptionFormModel& form, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      form_(form) {
  setObjectName("OptionForm");
  setWindowTitle(Text("オプション設定"));
  SetDialogFont(*this);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControl1");
  tabs_->setUsesScrollButtons(false);
  tabs_->addTab(Setting1Page(), Text(OptionPageCaption(kPageSetting1)));
  tabs_->addTab(Setting2Page(), Text(OptionPageCaption(kPageSetting2)));
  tabs_->addTab(RemotePage(), Text(OptionPageCaption(kPageRemote)));
  tabs_->addTab(OtherPage(), Text(OptionPageCaption(kPageOther)));
  tabs_->addTab(TimerPage(), Text(OptionPageCaption(kPageTimer)));
  tabs_->addTab(TrayPage(), Text(OptionPageCaption(kPageTray)));
  tabs_->setCurrentIndex(form_.Page);
  tabs_->tabBar()->setFocusPolicy(Qt::StrongFocus);
  tabs_->tabBar()->installEventFilter(this);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(Text("キャンセル"), this);
  cancel->setObjectName("CancelBtn");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 6);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);

  FillGestures();
  FillTimers();
  FillTray();
  UpdateEnabled();
  resize(kClientSize.expandedTo(minimumSizeHint()));
  setFixedSize(size());
}

void OptionDialog::accept() {
  form_.Page = tabs_->currentIndex();
  QDialog::accept();
}

void OptionDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  KeepDialogInWorkArea(*this);
}

bool OptionDialog::eventFilter(QObject* watched, QEvent* event) {
  QTabBar* bar = tabs_->tabBar();
  if (watched == bar && event->type() == QEvent::Wheel && bar->hasFocus()) {
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int count = tabs_->count();
    if (delta != 0)
      tabs_->setCurrentIndex((tabs_->currentIndex() + (delta < 0 ? 1 : count - 1)) % count);
    return true;
  }
  if (watched == bar && event->type() == QEvent::MouseButtonRelease) bar->setFocus();
  return QDialog::eventFilter(watched, event);
}

QCheckBox* OptionDialog::Check(const char* name) {
  const TOptionCheckBox& row = *FindOptionCheckBox(name);
  auto* box = new QCheckBox(Text(row.caption));
  box->setObjectName(name);
  box->setChecked(form_.Controls.*row.setting);
  connect(box, &QCheckBox::toggled, this, [this, &row](bool checked) {
    form_.Controls.*row.setting = checked;
    UpdateEnabled();
  });
  controls_[name] = box;
  return box;
}

QSpinBox* OptionDialog::Spin(const char* name) {
  const TOptionSpin& row = *FindOptionSpin(name);
  auto* spin = new DialogSpinBox;
  spin->setObjectName(name);
  spin->setRange(row.min, row.max);
  spin->setSingleStep(row.step);
  spin->setValue(form_.Spin(row));
  spin->setAlignment(Qt::AlignRight);
  if (QLineEdit* edit = spin->findChild<QLineEdit*>()) edit->setMaxLength(row.maxChars);
  connect(spin, &QSpinBox::valueChanged, this,
          [this, &row](int value) { form_.SetSpin(row, value); });
  controls_[name] = spin;
  return spin;
}

void OptionDialog::SpinRow(QWidget* parent, QGridLayout* grid, int row, int column,
                           const char* name) {
  auto* label = new QLabel(Text(FindOptionSpin(name)->label), parent);
  QSpinBox* spin = Spin(name);
  label->setBuddy(spin);
  grid->addWidget(label, row, column, Qt::AlignRight);
  grid->addWidget(spin, row, column + 1);
}

void OptionDialog::UpdateEnabled() {
  for (const auto& [name, widget] : controls_)
    widget->setEnabled(form_.Enabled(name.toUtf8().constData()));
}

QWidget* OptionDialog::Setting1Page() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  for (const char* name :
       {"CheckBox2", "CheckBox1", "CheckBox12", "CheckBox13", "CheckBox4", "CBNB1"})
    layout->addWidget(Check(name));
  auto* nb2 = new QHBoxLayout;
  nb2->addSpacing(20);
  nb2->addWidget(Check("CheckBox3"));
  layout->addLayout(nb2);
  for (const char* name : {"CheckBox18", "CheckBox19", "CheckBox10", "CheckBox11"})
    layout->addWidget(Check(name));
  if (form_.StartAtLogin) {
    auto* login = new QCheckBox(Text(kLoginStartCaption));
    login->setObjectName(kLoginStartBox);
    login->setChecked(*form_.StartAtLogin);
    connect(login, &QCheckBox::toggled, this,
            [this](bool checked) { form_.StartAtLogin = checked; });
    layout->addWidget(login);
  }
  layout->addStretch();
  return page;
}

QWidget* OptionDialog::Setting2Page() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  QGroupBox* autoVolume = Group("ボリューム自動調節 (TUNERを基準とする)", page);
  auto* autoGrid = new QGridLayout(autoVolume);
  autoGrid->addWidget(Check("CheckBox17"), 0, 0, 1, 4);
  SpinRow(autoVolume, autoGrid, 1, 0, "SpinEdit1");
  SpinRow(autoVolume, autoGrid, 1, 2, "SpinEdit2");
  SpinRow(autoVolume, autoGrid, 2, 0, "SpinEdit3");
  SpinRow(autoVolume, autoGrid, 2, 2, "SpinEdit4");
  layout->addWidget(autoVolume);

  QGroupBox* steps = Group("ボリューム変化幅", page);
  auto* stepGrid = new QGridLayout(steps);
  SpinRow(steps, stepGrid, 0, 0, "SpinEdit8");
  SpinRow(steps, stepGrid, 0, 2, "SpinEdit9");
  SpinRow(steps, stepGrid, 1, 0, "SpinEdit6");
  SpinRow(steps, stepGrid, 1, 2, "SpinEdit11");
  layout->addWidget(steps);

  QGroupBox* aps = Group("Auto Power Save", page);
  auto* apsRow = new QHBoxLayout(aps);
  apsRow->addWidget(Check("CheckBox20"));
  apsRow->addStretch();
  apsRow->addWidget(Spin("SpinEdit7"));
  apsRow->addWidget(new QLabel(Text(FindOptionSpin("SpinEdit7")->label), aps));
  layout->addWidget(aps);

  QGroupBox* skin = Group("スキン設定ファイル", page);
  auto* skinRow = new QHBoxLayout(skin);
  skinEdit_ = PathEdit("Edit1", form_.Controls.SkinIniName);
  skinRow->addWidget(skinEdit_);
  auto* browse = new QPushButton(Text("参照..."), skin);
  browse->setObjectName("Button1");
  connect(browse, &QPushButton::clicked, this, &OptionDialog::BrowseSkin);
  skinRow->addWidget(browse);
  layout->addWidget(skin);
  layout->addStretch();
  return page;
}

QLineEdit* OptionDialog::PathEdit(const char* name, std::string& setting) {
  auto* edit = new QLineEdit(Text(setting));
  edit->setObjectName(name);
  connect(edit, &QLineEdit::textChanged, this,
          [&setting](const QString& text) { setting = text.toStdString(); });
  return edit;
}

QWidget* OptionDialog::OtherPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  const std::tuple<const char*, const char*, const char*, std::string*> players[] = {
      {"Winampのフルパス (リモコン操作で起動する時に使用)", "Edit3", "Button4",
       &form_.Controls.WinAmpPath},
      {"Lilithのフルパス (リモコン操作で起動する時に使用)", "Edit4", "Button5",
       &form_.Controls.LilithPath}};
  for (const auto& [title, editName, buttonName, setting] : players) {
    QGroupBox* group = Group(title, page);
    auto* row = new QHBoxLayout(group);
    QLineEdit* edit = PathEdit(editName, *setting);
    row->addWidget(edit);
    auto* browse = new QPushButton(Text("参照..."), group);
    browse->setObjectName(buttonName);
    connect(browse, &QPushButton::clicked, this, [this, edit] { BrowsePlayer(edit); });
    row->addWidget(browse);
    layout->addWidget(group);
  }
  QGroupBox* modes = Group("MODE Button (input切換)", page);
  auto* row = new QHBoxLayout(modes);
  for (const char* name : {"CheckBox5", "CheckBox6", "CheckBox7", "CheckBox8", "CheckBox9"})
    row->addWidget(Check(name));
  layout->addWidget(modes);
  layout->addStretch();
  return page;
}

void OptionDialog::BrowseSkin() {
  const QString folder = Text(JoinPath(ProgramFolder(), "image"));
  const QString file = QFileDialog::getOpenFileName(
      this, {}, folder,
      Text("設定ファイル *.ini (*.ini);;skinファイル *.zip (*.zip);;すべてのファイル *.* (*)"));
  form_.SkinBrowsed(file.isEmpty() ? std::nullopt : std::optional(file.toStdString()),
                    ProgramFolder());
  const QSignalBlocker block(skinEdit_);
  skinEdit_->setText(Text(form_.Controls.SkinIniName));
}

void OptionDialog::BrowsePlayer(QLineEdit* edit) {
  // The players' browse starts where the last one ended.
  static QString lastFolder;
  const QString file = QFileDialog::getOpenFileName(
      this, {}, lastFolder, Text("EXEファイル *.exe (*.exe);;すべてのファイル *.* (*)"));
  if (file.isEmpty()) return;
  lastFolder = QFileInfo(file).absolutePath();
  edit->setText(QDir::toNativeSeparators(file));
}

}  // namespace zr4

#include "shell/options/about_box.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/options/about_command.h"
#include "shell/app/app_icon.h"
#include "shell/options/dialog_style.h"

namespace zr4 {

namespace {
constexpr QSize kClientSize(249, 182);
constexpr int kIconSize = 32;

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}
}  // namespace

AboutBox::AboutBox(TAboutModel& about, const QString& iconsFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      about_(about),
      iconMenu_(this) {
  setObjectName("Form3");
  setWindowTitle(QString::fromUtf8("バージョン情報"));
  SetDialogFont(*this);

  programIcon_ = new QLabel(this);
  programIcon_->setObjectName("ProgramIcon");
  programIcon_->setFixedSize(kIconSize, kIconSize);
  programIcon_->setScaledContents(true);
  programIcon_->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
  programIcon_->setContextMenuPolicy(Qt::CustomContextMenu);
  iconMenu_.setObjectName("iconPopMenu");
  connect(programIcon_, &QLabel::customContextMenuRequested, this,
          [this](const QPoint& at) { iconMenu_.popup(programIcon_->mapToGlobal(at)); });

  auto* names = new QVBoxLayout;
  names->addWidget(Label("Label1", "ZR4PCCtrl", this));
  names->addWidget(Label("Label2", Text(about_.Version), this));
  if (!about_.Simulated.empty())
    names->addWidget(Label("lbSimulated", Text(about_.Simulated), this));
  auto* top = new QHBoxLayout;
  top->addWidget(programIcon_, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addLayout(names, 1);

  auto* skin = new QGroupBox("Skin Info", this);
  auto* skinLayout = new QVBoxLayout(skin);
  skinLayout->addWidget(Label("Label7", Text(about_.Author), skin));
  QLabel* description = Label("Label8", Text(about_.Description), skin);
  description->setWordWrap(true);
  skinLayout->addWidget(description);

  auto* thanks = new QVBoxLayout;
  QLabel* heading = Label("Label3", "Thanks", this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  thanks->addWidget(heading);
  for (const std::string& line : about_.Thanks) thanks->addWidget(Label("", Text(line), this));

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(skin);
  layout->addLayout(thanks);
  layout->addLayout(buttons);

  BuildIconMenu(iconsFolder);
  resize(kClientSize.expandedTo(minimumSizeHint()));
  setFixedSize(size());
}

// "Default", then the icon files in the folder's own order; a file that is not an icon the
// program can read is left out.
void AboutBox::BuildIconMenu(const QString& iconsFolder) {
  const QStringList files = QDir(iconsFolder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
  std::vector<std::string> names;
  for (const QString& file : files) names.push_back(file.toStdString());
  QMenu* column = &iconMenu_;
  int columns = 0;
  for (const TIconMenuItem& item : IconMenuItems(names)) {
    const QIcon icon = item.FileName.empty()
                           ? BuiltInIcon()
                           : LoadIconFile(iconsFolder + '/' + Text(item.FileName));
    if (icon.isNull()) continue;
    // Qt menus have no column breaks: each further ten icons go into a submenu of their own.
    if (item.Break) column = iconMenu_.addMenu(QString("%1 -").arg(++columns * 10));
    QAction* action = column->addAction(icon, Text(item.Caption));
    connect(action, &QAction::triggered, this, [this, item] {
      if (about_.ChooseIcon) about_.ChooseIcon(item);
      programIcon_->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
    });
  }
}

void AboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  KeepDialogInWorkArea(*this);
}

}  // namespace zr4

// The options dialog's pages with lists: gestures, timers and the tray's clicks.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/options/option_form_model.h"
#include "shell/options/dialog_style.h"
#include "shell/options/option_dialog.h"
#include "shell/options/timer_entry_dialog.h"

namespace zr4 {

namespace {
constexpr int kTimerNoWidth = 40;

int CompareLocale(const std::string& a, const std::string& b) {
  return QString::localeAwareCompare(Text(a), Text(b));
}

// Grid lines between the cells, drawn over what the platform style paints. The style keeps
// painting the selection with its own pair of colours, so a selected row stays readable in
// every style, focused or not (a style sheet on the items would replace that pair).
class GridLines : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QRect cell = option.rect;
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->restore();
  }
  // The styles make a row just one line of the font tall, so the line drawn on its last pixel
  // row cut "p" and "y": a pixel above the text and one for the line below.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2));
    return size;
  }
};

// A report list: grid lines, whole rows, the given columns and widths.
QTreeWidget* ReportList(const char* name,
                        std::initializer_list<std::pair<const char*, int>> columns, bool multiple) {
  auto* list = new QTreeWidget;
  list->setObjectName(name);
  list->setRootIsDecorated(false);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                  : QAbstractItemView::SingleSelection);
  list->setItemDelegate(new GridLines(list));
  QStringList headers;
  for (const auto& column : columns) headers << Text(column.first);
  list->setHeaderLabels(headers);
  int index = 0;
  for (const auto& column : columns) list->setColumnWidth(index++, column.second);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  return list;
}

QTreeWidgetItem* Row(QTreeWidget* list, const QStringList& texts, std::optional<bool> checked) {
  auto* item = new QTreeWidgetItem(list, texts);
  if (checked) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, *checked ? Qt::Checked : Qt::Unchecked);
  }
  return item;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(Text(caption), parent);
  button->setObjectName(name);
  return button;
}
}  // namespace

std::vector<int> OptionDialog::SelectedRows(QTreeWidget* list) const {
  std::vector<int> rows;
  for (QTreeWidgetItem* item : list->selectedItems())
    rows.push_back(list->indexOfTopLevelItem(item));
  std::sort(rows.begin(), rows.end());
  return rows;
}

QWidget* OptionDialog::RemotePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox(page);
  auto* grid = new QGridLayout(group);
  auto* up = new QToolButton(group);
  up->setObjectName("SpeedButton1");
  up->setText(Text("↑"));
  auto* down = new QToolButton(group);
  down->setObjectName("SpeedButton2");
  down->setText(Text("↓"));
  sequenceEdit_ = new QLineEdit(group);
  sequenceEdit_->setObjectName("Edit2");
  commandBox_ = new QComboBox(group);
  commandBox_->setObjectName("RemoteCmdbox");
  commandBox_->setMaxVisibleItems(10);
  // Styles that open a combo box as a menu (Fusion, macOS) show every item and ignore the
  // ten rows; a scrolling list keeps them.
  commandBox_->setStyleSheet("QComboBox { combobox-popup: 0; }");
  commandBox_->setPlaceholderText(Text("実行するコマンド"));
  for (const std::string& item : form_.CommandItems) commandBox_->addItem(Text(item));
  commandBox_->setCurrentIndex(-1);
  QPushButton* add = Button("AddBtn", "追加", group);
  QPushButton* remove = Button("DeleteBtn1", "削除", group);

  auto* label = new QLabel(Text("リモコンコマンド"), group);
  label->setBuddy(sequenceEdit_);
  grid->addWidget(label, 0, 0, 1, 3);
  grid->addWidget(up, 1, 0);
  grid->addWidget(down, 1, 1);
  grid->addWidget(sequenceEdit_, 1, 2);
  grid->addWidget(add, 1, 3);
  grid->addWidget(commandBox_, 2, 0, 1, 3);
  grid->addWidget(remove, 2, 3);
  auto* interval = new QHBoxLayout;
  interval->addWidget(new QLabel(Text(FindOptionSpin("SpinEdit5")->label), group));
  interval->addWidget(Spin("SpinEdit5"));
  interval->addStretch();
  grid->addLayout(interval, 3, 0, 1, 4);
  grid->setColumnStretch(2, 1);
  layout->addWidget(group);

  gestures_ = ReportList("ListView1", {{"コマンド", 115}, {"実行するコマンド", 195}}, true);
  layout->addWidget(gestures_, 1);

  connect(up, &QToolButton::clicked, this, [this] {
    form_.AppendUp();
    sequenceEdit_->setText(Text(form_.Sequence));
  });
  connect(down, &QToolButton::clicked, this, [this] {
    form_.AppendDown();
    sequenceEdit_->setText(Text(form_.Sequence));
  });
  connect(sequenceEdit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { form_.Sequence = text.toStdString(); });
  connect(commandBox_, &QComboBox::currentIndexChanged, this,
          [this](int index) { form_.CommandIndex = index; });
  connect(add, &QPushButton::clicked, this, [this] {
    if (!form_.AddGesture()) return;
    sequenceEdit_->setText(Text(form_.Sequence));
    FillGestures();
  });
  auto deleteRows = [this] {
    form_.DeleteGestures(SelectedRows(gestures_));
    FillGestures();
  };
  connect(remove, &QPushButton::clicked, this, deleteRows);
  connect(gestures_, &QTreeWidget::customContextMenuRequested, this, [this, deleteRows] {
    QMenu menu(this);
    connect(menu.addAction(Text("削除")), &QAction::triggered, this, deleteRows);
    menu.exec(QCursor::pos());
  });
  connect(gestures_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const std::vector<int> rows = SelectedRows(gestures_);
    if (filling_ || rows.empty()) return;
    form_.SelectGesture(gestures_->indexOfTopLevelItem(gestures_->currentItem()));
    const QSignalBlocker block(sequenceEdit_);
    sequenceEdit_->setText(Text(form_.Sequence));
    commandBox_->setCurrentIndex(form_.CommandIndex);
  });
  connect(gestures_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    const int row = gestures_->indexOfTopLevelItem(item);
    if (filling_ || row < 0) return;
    form_.Gestures[static_cast<std::size_t>(row)].Checked = item->checkState(0) == Qt::Checked;
  });
  gestures_->header()->setSectionsClickable(true);
  connect(gestures_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    form_.SortGestures(column, CompareLocale);
    FillGestures();
  });
  return page;
}

void OptionDialog::FillGestures() {
  filling_ = true;
  gestures_->clear();
  for (const TGestureRow& row : form_.Gestures)
    Row(gestures_, {Text(row.Sequence), Text(row.Command)}, row.Checked);
  filling_ = false;
}

QWidget* OptionDialog::TimerPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* buttons = new QHBoxLayout;
  QPushButton* add = Button("Button10", "新規...", page);
  QPushButton* change = Button("Button11", "変更...", page);
  QPushButton* remove = Button("Deletebtn2", "削除", page);
  buttons->addWidget(add);
  buttons->addWidget(change);
  buttons->addWidget(remove);
  buttons->addStretch();
  layout->addLayout(buttons);
  timers_ = ReportList(
      "ListView2",
      {{"No.", kTimerNoWidth}, {"曜日", 40}, {"時：分", 44}, {"実行するコマンド", 195}}, true);
  layout->addWidget(timers_, 1);

  auto deleteRows = [this] {
    form_.DeleteTimers(SelectedRows(timers_));
    FillTimers();
  };
  connect(add, &QPushButton::clicked, this, [this] { EditTimer(false); });
  connect(change, &QPushButton::clicked, this, [this] { EditTimer(true); });
  connect(remove, &QPushButton::clicked, this, deleteRows);
  connect(timers_, &QTreeWidget::customContextMenuRequested, this, [this, deleteRows] {
    QMenu menu(this);
    connect(menu.addAction(Text("変更...")), &QAction::triggered, this,
            [this] { EditTimer(true); });
    connect(menu.addAction(Text("新規...")), &QAction::triggered, this,
            [this] { EditTimer(false); });
    menu.addSeparator();
    connect(menu.addAction(Text("削除")), &QAction::triggered, this, deleteRows);
    menu.exec(QCursor::pos());
  });
  connect(timers_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    const int row = timers_->indexOfTopLevelItem(item);
    if (filling_ || row < 0) return;
    form_.Timers[static_cast<std::size_t>(row)].Checked = item->checkState(0) == Qt::Checked;
  });
  timers_->header()->setSectionsClickable(true);
  connect(timers_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    form_.SortTimers(column, CompareLocale);
    FillTimers();
  });
  return page;
}

void OptionDialog::FillTimers() {
  filling_ = true;
  timers_->clear();
  for (const TTimerRow& row : form_.Timers)
    Row(timers_, {Text(row.No), Text(row.Day), Text(row.Time), Text(row.Command)}, row.Checked);
  // The check box and the number share the "No." column: at least its 40 pixels, and as much as
  // the style's check box and "00" need, so the numbers never end in "…".
  const QAbstractItemView& view = *timers_;
  timers_->setColumnWidth(0, std::max({kTimerNoWidth, view.sizeHintForColumn(0),
                                       timers_->header()->sectionSizeHint(0)}));
  filling_ = false;
}

void OptionDialog::EditTimer(bool change) {
  const std::vector<int> rows = SelectedRows(timers_);
  TimerEntryDialog dialog(form_, change, rows.empty() ? -1 : rows.front(), this);
  if (dialog.exec() == QDialog::Accepted) FillTimers();
}

QWidget* OptionDialog::TrayPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  tray_ = ReportList("ListView3", {{"クリック", 110}, {"アクション", 170}}, false);
  tray_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tray_->header()->setSectionsClickable(false);
  layout->addWidget(tray_, 1);
  auto* row = new QHBoxLayout;
  clickLabel_ = new QLabel(page);
  clickLabel_->setObjectName("lbClick");
  clickLabel_->setMinimumWidth(110);
  trayChoice_ = new QComboBox(page);
  trayChoice_->setObjectName("ComboBox1");
  for (const std::string& choice : form_.TrayChoices) trayChoice_->addItem(Text(choice));
  trayChoice_->setCurrentIndex(-1);
  QPushButton* assign = Button("BtnResistEvent", "登録", page);
  row->addWidget(clickLabel_);
  row->addWidget(trayChoice_, 1);
  row->addWidget(assign);
  layout->addLayout(row);
  // Why some clicks are greyed out: the desktop's notification area never reports them.
  auto* note = new QLabel(Text(form_.TrayNote), page);
  note->setObjectName("lbTrayNote");
  note->setVisible(!form_.TrayNote.empty());
  layout->addWidget(note);

  connect(tray_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const int row = tray_->indexOfTopLevelItem(tray_->currentItem());
    if (filling_ || row < 0) return;
    clickLabel_->setText(Text(form_.TrayRows[static_cast<std::size_t>(row)].Click));
    trayChoice_->setCurrentIndex(form_.TrayChoiceOf(row));
  });
  connect(assign, &QPushButton::clicked, this, [this] {
    const std::vector<int> rows = SelectedRows(tray_);
    if (rows.empty()) return;
    form_.RegisterTrayAction(rows.front(), trayChoice_->currentIndex());
    FillTray();
    tray_->setCurrentItem(tray_->topLevelItem(rows.front()));
  });
  return page;
}

void OptionDialog::FillTray() {
  filling_ = true;
  tray_->clear();
  for (const TTrayRow& row : form_.TrayRows)
    Row(tray_, {Text(row.Click), Text(row.Action)}, std::nullopt)->setDisabled(!row.Reported);
  filling_ = false;
}

}  // namespace zr4

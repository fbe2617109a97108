#include "shell/menu/popup_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>
#include <map>

#include "core/app/controller.h"
#include "shell/menu/key_map.h"

namespace zr4 {

namespace {

constexpr const char* kShortcutPrefix = "shortcut_";

// Runs an entry after every open menu has closed, as a menu does with its own entries.
void ClickAfterClosing(TController& c, const TMenuItem& item) {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  c.MenuClick(item);
}

// A submenu whose entries start new columns: Qt menus have no column breaks, so the entries
// become buttons in a grid, one column per break.
void AddColumns(QMenu& menu, TController& c, const TMenuItem& parent) {
  auto* grid = new QWidget(&menu);
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  int row = 0;
  int column = 0;
  for (const TMenuItem& item : parent.Items) {
    if (item.Break && row > 0) {
      ++column;
      row = 0;
    }
    if (!item.Visible || item.IsSeparator()) continue;
    auto* button = new QToolButton(grid);
    button->setObjectName(QString::fromStdString(parent.Caption + "/" + item.Caption));
    button->setText(QString(item.Caption.c_str()).replace("&&", "&"));
    button->setAutoRaise(true);
    button->setEnabled(item.Enabled);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    QObject::connect(button, &QToolButton::clicked, grid,
                     [&c, &item] { ClickAfterClosing(c, item); });
    layout->addWidget(button, row++, column);
  }
  auto* action = new QWidgetAction(&menu);
  action->setDefaultWidget(grid);
  menu.addAction(action);
}

void AddItems(QMenu& menu, TController& c, const TMenuItem& parent) {
  std::map<int, QActionGroup*> groups;
  for (const TMenuItem& item : parent.Items) {
    if (item.IsSeparator()) {
      menu.addSeparator()->setVisible(item.Visible);
      continue;
    }
    const QString caption = QString::fromStdString(item.Caption);
    if (!item.Items.empty()) {
      QMenu* sub = menu.addMenu(caption);
      sub->setEnabled(item.Enabled);
      sub->menuAction()->setVisible(item.Visible);
      bool columns = false;
      for (const TMenuItem& child : item.Items) columns = columns || child.Break;
      if (columns) {
        AddColumns(*sub, c, item);
      } else {
        AddItems(*sub, c, item);
      }
      continue;
    }
    const QString shortcut = QString::fromStdString(c.MenuShortcutText(item));
    QAction* action = menu.addAction(shortcut.isEmpty() ? caption : caption + '\t' + shortcut);
    action->setObjectName(QString::fromStdString(item.Name));
    action->setEnabled(item.Enabled);
    action->setVisible(item.Visible);
    if (c.Menu().Checkable(item)) {
      action->setCheckable(true);
      action->setChecked(c.Menu().Checked(item));
    }
    if (item.RadioItem) {
      QActionGroup*& group = groups[item.GroupIndex];
      if (!group) group = new QActionGroup(&menu);
      group->addAction(action);
    }
    QObject::connect(action, &QAction::triggered, &menu, [&c, &item] { c.MenuClick(item); });
  }
}

}  // namespace

PopupMenu::PopupMenu(QWidget& window) : window_(window) {
  menu_.setObjectName("PopupMenu1");
  QObject::connect(&menu_, &QMenu::aboutToShow, &window, [this] {
    if (controller_) controller_->PrepareMenu();
    Fill();
  });
  Fill();
}

void PopupMenu::SetController(TController* controller) {
  controller_ = controller;
  Fill();
}

void PopupMenu::Fill() {
  // Submenus and groups are children of the menu; what the last filling made goes.
  for (QObject* child : menu_.children())
    if (qobject_cast<QMenu*>(child) || qobject_cast<QActionGroup*>(child)) child->deleteLater();
  menu_.clear();
  if (controller_) AddItems(menu_, *controller_, controller_->Menu().Items);
}

void PopupMenu::ShortcutsChanged(const std::vector<TShortcutBinding>& shortcuts) {
  for (QAction* action : window_.actions())
    if (action->objectName().startsWith(kShortcutPrefix)) {
      window_.removeAction(action);
      action->deleteLater();
    }
  TController* c = controller_;
  if (!c) return;
  for (const TShortcutBinding& binding : shortcuts) {
    const QKeySequence keys = KeySequenceOf(binding.ShortCut);
    if (keys.isEmpty()) continue;
    const TShortcutName& target = *binding.Target;
    auto* action = new QAction(&window_);
    action->setObjectName(kShortcutPrefix + QString::fromStdString(target.Name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window_,
                     [c, &target] { c->RunShortcut(target); });
    window_.addAction(action);
  }
}

// Opened from the tray, the menu ends at the pointer, as menus of icons at the screen's edge do.
void PopupMenu::PopupMenuAtCursor() {
  if (controller_) controller_->PrepareMenu();
  Fill();
  const QPoint cursor = QCursor::pos();
  menu_.popup(cursor - QPoint(menu_.sizeHint().width(), 0));
}

void PopupMenu::PopUpLabelMenu(QPoint globalPosition) {
  if (!controller_->LabelMenuPops()) return;
  auto* menu = new QMenu(&window_);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setObjectName("LabelMenu");
  QObject::connect(menu->addAction(QString::fromUtf8(kLabelMenuCaption)), &QAction::triggered,
                   &window_, [this] { controller_->LabelMenuClick(); });
  menu->popup(globalPosition);
}

}  // namespace zr4

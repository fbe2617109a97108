#include "shell/tray/tray_menu.h"

#include <QActionGroup>
#include <QTimer>
#include <map>

#include "core/app/controller.h"

namespace zr4 {

namespace {

void AppendShape(std::string& shape, const TMenuItem& parent) {
  for (const TMenuItem& item : parent.Items) {
    shape += item.Caption;
    if (!item.Items.empty()) {
      shape += '{';
      AppendShape(shape, item);
      shape += '}';
    }
    shape += '\n';
  }
}

void ShowState(QAction& action, const TMenuItem& item, const TPopupMenuModel& model) {
  action.setEnabled(item.Enabled);
  action.setVisible(item.Visible);
  if (item.IsSeparator() || !item.Items.empty()) return;
  action.setCheckable(model.Checkable(item));
  action.setChecked(model.Checked(item));
}

}  // namespace

TrayMenu::TrayMenu() {
  menu_.setObjectName("TrayMenu");
  // The host asks before it opens the menu: what is read only then (the audio outputs) is read.
  connect(&menu_, &QMenu::aboutToShow, this, [this] {
    if (controller_) controller_->PrepareMenu();
    Sync();
  });
}

void TrayMenu::Refresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshPending_ = false;
    Sync();
  });
}

void TrayMenu::Sync() {
  TController* c = controller_;
  if (!c) return;
  const TMenuItem& items = c->Menu().Items;
  std::string shape;
  AppendShape(shape, items);
  if (shape == shape_) {
    Update(menu_, items);
    return;
  }
  shape_ = shape;
  for (QObject* child : menu_.children())
    if (qobject_cast<QMenu*>(child) || qobject_cast<QActionGroup*>(child)) child->deleteLater();
  menu_.clear();
  Build(menu_, items, {});
}

void TrayMenu::Build(QMenu& menu, const TMenuItem& parent, const std::vector<int>& path) {
  const TPopupMenuModel& model = controller_->Menu();
  std::map<int, QActionGroup*> groups;
  for (std::size_t i = 0; i < parent.Items.size(); ++i) {
    const TMenuItem& item = parent.Items[i];
    std::vector<int> at = path;
    at.push_back(static_cast<int>(i));
    QAction* action = nullptr;
    if (item.IsSeparator()) {
      action = menu.addSeparator();
    } else if (!item.Items.empty()) {
      QMenu* sub = menu.addMenu(QString::fromStdString(item.Caption));
      Build(*sub, item, at);
      action = sub->menuAction();
    } else {
      action = menu.addAction(QString::fromStdString(item.Caption));
      if (item.RadioItem) {
        QActionGroup*& group = groups[item.GroupIndex];
        if (!group) group = new QActionGroup(&menu);
        group->addAction(action);
      }
      connect(action, &QAction::triggered, this,
              [this, at, caption = item.Caption] { Click(at, caption); });
    }
    ShowState(*action, item, model);
  }
}

void TrayMenu::Update(QMenu& menu, const TMenuItem& parent) {
  const TPopupMenuModel& model = controller_->Menu();
  const QList<QAction*> actions = menu.actions();
  for (qsizetype i = 0; i < actions.size() && i < qsizetype(parent.Items.size()); ++i) {
    const TMenuItem& item = parent.Items[static_cast<std::size_t>(i)];
    ShowState(*actions[i], item, model);
    if (QMenu* sub = actions[i]->menu()) Update(*sub, item);
  }
}

// A click arrives as a D-Bus call; a dialog the entry opens must not hold that call's answer.
void TrayMenu::Click(const std::vector<int>& path, const std::string& caption) {
  QTimer::singleShot(0, this, [this, path, caption] {
    TController* c = controller_;
    if (!c) return;
    const TMenuItem* item = &c->Menu().Items;
    for (int index : path) {
      if (index >= static_cast<int>(item->Items.size())) return;
      item = &item->Items[static_cast<std::size_t>(index)];
    }
    if (item->Caption != caption) return;
    c->MenuClick(*item);
    Sync();
  });
}

}  // namespace zr4

// The dialogs and the tray in the real window, offscreen: each dialog opened from the menu, a
// control changed, OK or Cancel; every page laid out without clipping a control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "core/app/controller.h"
#include "fakes/sim_link.h"
#include "platform/app/file_store_system.h"
#include "platform/app/settings_location.h"
#include "platform/app/text_codec_system.h"
#include "shell/app/about_box.h"
#include "shell/app/main_window.h"

namespace zr4 {
namespace {

// Runs `user` on the next modal dialog once it is open; a dialog left open is rejected.
void OnNextDialog(std::function<void(QDialog&)> user) {
  QTimer::singleShot(0, [user] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTimer::singleShot(5000, dialog, &QDialog::reject);
    user(*dialog);
  });
}

template <typename T>
T& Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  if (!child) throw std::runtime_error(std::string("no control ") + name);
  return *child;
}

// Every control that shows text is at least as large as its text needs and lies inside its
// parent; `where` names the page in failures.
void ExpectNothingClipped(QWidget& root, const QString& where) {
  for (QWidget* w : root.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&root)) continue;
    const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                      qobject_cast<QComboBox*>(w) || qobject_cast<QSpinBox*>(w) ||
                      qobject_cast<QGroupBox*>(w);
    if (!text) continue;
    const QSize need = w->minimumSizeHint();
    EXPECT_GE(w->width(), need.width())
        << where.toStdString() << " " << w->objectName().toStdString();
    EXPECT_GE(w->height(), need.height())
        << where.toStdString() << " " << w->objectName().toStdString();
    if (QWidget* parent = w->parentWidget()) {
      EXPECT_TRUE(parent->rect().contains(w->geometry()))
          << where.toStdString() << " " << w->objectName().toStdString();
    }
  }
}

// Saves a picture of the window when ZR4_SCREENSHOT_DIR names a folder.
void Picture(QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("ZR4_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
  window.grab().save(QDir(folder).filePath(name + "@" + scale + ".png"));
}

class DialogsTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void Start(const TStartup& startup = {}) {
    qputenv("ZR4PC_HOME", home.path().toUtf8());
    storage = std::make_unique<SettingsStorage>(SettingsStorage{files, codec, SettingsFilePath()});
    controller = std::make_unique<TController>(clock, link, window, storage.get());
    window.SetController(controller.get());
    controller->FormCreate(startup);
  }
  void TearDown() override {
    qunsetenv("ZR4PC_HOME");
    window.SetController(nullptr);
  }
  void Run(const char* action) { controller->Actions().Execute(action); }

  QTemporaryDir home;
  SystemFileStore files;
  SystemTextCodec codec;
  std::unique_ptr<SettingsStorage> storage;
  MainWindow window{false};
  std::unique_ptr<TController> controller;
};

TEST_F(DialogsTest, OptionsOkAppliesAndCancelDoesNot) {
  Start();
  OnNextDialog([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("オプション設定"));
    QStringList pages;
    auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
    for (int i = 0; i < tabs.count(); ++i) pages << tabs.tabText(i);
    EXPECT_EQ(pages.join(' '),
              QString::fromUtf8("設定1 設定2 リモコン その他 タイマー タスクトレイ"));
    auto& nb2 = Child<QCheckBox>(dialog, "CheckBox3");
    EXPECT_TRUE(nb2.isEnabled());  // NBCut is on by default
    Child<QCheckBox>(dialog, "CBNB1").click();
    EXPECT_FALSE(nb2.isEnabled());
    EXPECT_FALSE(Child<QSpinBox>(dialog, "SpinEdit1").isEnabled());
    Child<QCheckBox>(dialog, "CheckBox17").click();
    EXPECT_TRUE(Child<QSpinBox>(dialog, "SpinEdit1").isEnabled());
    Child<QSpinBox>(dialog, "SpinEdit11").setValue(95);  // past the range: 80
    Child<QCheckBox>(dialog, "CheckBox2").click();
    tabs.setCurrentIndex(3);
    Child<QPushButton>(dialog, "OKBtn").click();
  });
  Run("actOptionDialog");
  EXPECT_TRUE(controller->Options().AutoOn);
  EXPECT_FALSE(controller->Options().NBCut);
  EXPECT_TRUE(controller->Options().AutoVolChange);
  EXPECT_EQ(controller->Options().VolMax, 80);
  EXPECT_EQ(controller->VolumeSlider().max, 80);
  EXPECT_EQ(controller->Options().OptionPage, 3);
  QFile file(QString::fromStdString(storage->Path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("AutoOn=1"));

  OnNextDialog([](QDialog& dialog) {
    auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
    EXPECT_EQ(tabs.currentIndex(), 3);
    // The wheel over the focused tabs turns the pages round: down is the next page.
    QTabBar* bar = tabs.tabBar();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    bar->setFocus();
    for (int notch : {-120, -120, -120, 120}) {
      QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), {}, {0, notch},
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(bar, &wheel);
    }
    EXPECT_EQ(tabs.currentIndex(), 5);  // 4, 5, 0, then back to 5
    Child<QCheckBox>(dialog, "CheckBox2").click();
    Child<QPushButton>(dialog, "CancelBtn").click();
  });
  Run("actOptionDialog");
  EXPECT_TRUE(controller->Options().AutoOn);
}

TEST_F(DialogsTest, ATimerIsAddedThroughTheTimerEntryDialog) {
  Start();
  OnNextDialog([](QDialog& dialog) {
    auto& list = Child<QTreeWidget>(dialog, "ListView2");
    OnNextDialog([](QDialog& entry) {
      EXPECT_EQ(entry.windowTitle(), QString::fromUtf8("タイマー設定"));
      EXPECT_FALSE(Child<QComboBox>(entry, "NoCB").isEnabled());
      Child<QComboBox>(entry, "WeekCB").setCurrentIndex(7);
      Child<QSpinBox>(entry, "HourSE").setValue(7);
      Child<QSpinBox>(entry, "MinSE").setValue(30);
      Child<QComboBox>(entry, "CmdCB").setCurrentIndex(2);  // -PCALL
      auto& arguments = Child<QComboBox>(entry, "NumCB");
      EXPECT_EQ(arguments.count(), 40);
      arguments.setCurrentIndex(4);
      Child<QPushButton>(entry, "AddBtn").click();
      EXPECT_EQ(Child<QLineEdit>(entry, "CmdEdit").text(), "-PCALL 5");
      Child<QPushButton>(entry, "OKbtn").click();
    });
    Child<QPushButton>(dialog, "Button10").click();
    ASSERT_EQ(list.topLevelItemCount(), 1);
    const QTreeWidgetItem* row = list.topLevelItem(0);
    EXPECT_EQ(QStringList({row->text(0), row->text(1), row->text(2), row->text(3)}).join('|'),
              QString::fromUtf8("00|毎日|07:30|-PCALL 5"));
    EXPECT_EQ(row->checkState(0), Qt::Unchecked);
    Child<QPushButton>(dialog, "OKBtn").click();
  });
  Run("actOptionDialog");
  ASSERT_EQ(controller->Settings().TimerList.Count(), 1);
  EXPECT_EQ(controller->Settings().TimerList.GetItem(0).Command, "-PCALL 5");
}

TEST_F(DialogsTest, AboutBoxShowsVersionAndListsIcons) {
  ASSERT_TRUE(QDir(home.path()).mkdir("icons"));
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(home.filePath("icons/red.ico"), "ICO"));
  Start();
  OnNextDialog([this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("バージョン情報"));
    EXPECT_EQ(Child<QLabel>(dialog, "Label2").text(),
              QString::fromUtf8("Version 0.20Dbg (｀・ω・´)"));
    EXPECT_EQ(Child<QLabel>(dialog, "Label7").text(), "Author: ");
    QMenu& menu = static_cast<AboutBox&>(dialog).IconMenu();
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->text(), "Default");
    menu.actions()[1]->trigger();
    EXPECT_EQ(controller->Settings().IconName, "red.ico");
    EXPECT_TRUE(controller->Settings().IconChange);
    dialog.accept();
  });
  Run("actAbout");
}

TEST_F(DialogsTest, TrayClicksRunTheirKindsAndMinimisingKeepsTheWindowWithoutATray) {
  Start();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  controller->Tray().Clicks().Click(TTrayButton::Left);  // left click: minimise
  EXPECT_TRUE(window.isMinimized());
  EXPECT_TRUE(controller->Tray().Minimized());
  // With a notification area (Windows always has one) the window goes into it; offscreen there
  // is none, and the window is minimised, not hidden.
  const bool notificationArea = TrayIcon::Available();
  EXPECT_EQ(window.Tray().Shown(), notificationArea);
  EXPECT_EQ(window.isVisible(), !notificationArea);
  controller->Tray().Clicks().Click(TTrayButton::Left);  // and back
  EXPECT_FALSE(window.isMinimized());
  EXPECT_FALSE(controller->Tray().Minimized());
}

// A notification area without right and middle double clicks (a Linux tray host): those two
// rows of "タスクトレイ" are greyed out and cannot be chosen, and one line says why.
TEST_F(DialogsTest, TrayPageGreysOutTheClicksTheNotificationAreaNeverReports) {
  TStartup startup;
  startup.trayClicks.doubleClick = {false, true, false};
  Start(startup);
  OnNextDialog([](QDialog& dialog) {
    auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
    tabs.setCurrentIndex(5);
    QTest::qWait(1);
    auto& list = Child<QTreeWidget>(dialog, "ListView3");
    ASSERT_EQ(list.topLevelItemCount(), 6);
    QStringList disabled;
    for (int row = 0; row < 6; ++row)
      if (list.topLevelItem(row)->isDisabled()) disabled << list.topLevelItem(row)->text(0);
    EXPECT_EQ(disabled.join(' '), QString::fromUtf8("右ダブルクリック 中ダブルクリック"));
    auto& note = Child<QLabel>(dialog, "lbTrayNote");
    EXPECT_TRUE(note.isVisible());
    EXPECT_EQ(note.text(), QString::fromUtf8("灰色のクリックはこのデスクトップでは届きません。"));
    ExpectNothingClipped(dialog, "tray page");
    Picture(dialog, "options-tray-greyed");

    // A click on a greyed row selects nothing; on another row it does.
    const QRect greyed = list.visualItemRect(list.topLevelItem(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, greyed.center());
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(Child<QLabel>(dialog, "lbClick").text(), "");
    const QRect leftDouble = list.visualItemRect(list.topLevelItem(3));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, leftDouble.center());
    EXPECT_EQ(Child<QLabel>(dialog, "lbClick").text(), QString::fromUtf8("左ダブルクリック"));
    dialog.reject();
  });
  Run("actOptionDialog");
}

TEST_F(DialogsTest, EveryPageShowsItsControlsWhole) {
  Start();
  OnNextDialog([](QDialog& dialog) {
    auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
    for (int i = 0; i < tabs.count(); ++i) {
      tabs.setCurrentIndex(i);
      QTest::qWait(1);
      ExpectNothingClipped(dialog, tabs.tabText(i));
      Picture(dialog, QString("options-%1").arg(i + 1));
    }
    OnNextDialog([](QDialog& entry) {
      ExpectNothingClipped(entry, "timer entry");
      Picture(entry, "timer-entry");
      entry.reject();
    });
    Child<QPushButton>(dialog, "Button10").click();
    dialog.reject();
  });
  Run("actOptionDialog");
  OnNextDialog([](QDialog& about) {
    ExpectNothingClipped(about, "about");
    Picture(about, "about");
    about.reject();
  });
  Run("actAbout");
}

}  // namespace
}  // namespace zr4

// The dialogs and the tray in the real window, offscreen: each dialog opened from the menu, a
// control changed, OK or Cancel; every page laid out without clipping a control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

#include "core/app/controller.h"
#include "core/ports/login_start.h"
#include "fakes/controller_parts.h"
#include "fakes/sim_link.h"
#include "platform/base/file_store_system.h"
#include "platform/base/text_codec_system.h"
#include "platform/settings/settings_location.h"
#include "platform/tray/tray_icon.h"
#include "shell/options/about_box.h"
#include "shell/panel/main_window.h"

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

// WCAG contrast ratio of two colours: 1 (none) to 21 (black on white).
double Contrast(QRgb a, QRgb b) {
  const auto luminance = [](QRgb c) {
    const auto linear = [](int v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How well the text of a list cell stands out: the contrast between the cell's most common
// colour (its background) and the pixel farthest from it (the core of a glyph).
double CellTextContrast(QTreeWidget& list, QTreeWidgetItem* item, int column) {
  const QRect cell = list.visualItemRect(item).intersected(
      QRect(list.header()->sectionViewportPosition(column), 0, list.columnWidth(column),
            list.viewport()->height()));
  const QImage image = list.viewport()->grab(cell.adjusted(2, 2, -2, -2)).toImage();
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  QRgb background = 0;
  int most = 0;
  for (const auto& [colour, count] : counts)
    if (count > most) std::tie(background, most) = std::pair(colour, count);
  double best = 1;
  for (const auto& entry : counts) best = std::max(best, Contrast(background, entry.first));
  return best;
}

class DialogsTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void Start(const TStartup& startup = {}, TPcPorts ports = {}) {
    qputenv("ZR4PC_HOME", home.path().toUtf8());
    storage = std::make_unique<SettingsStorage>(SettingsStorage{files, codec, SettingsFilePath()});
    controller = std::make_unique<TController>(clock, link, window.Views(), storage.get(), ports);
    window.SetController(controller.get());
    controller->FormCreate(startup);
  }
  void TearDown() override {
    qunsetenv("ZR4PC_HOME");
    window.SetController(nullptr);
  }
  void Run(const char* action) { Parts(*controller).Actions().Execute(action); }

  QTemporaryDir home;
  SystemFileStore files;
  SystemTextCodec codec;
  std::unique_ptr<SettingsStorage> storage;
  TrayIcon tray;
  // The program folder is `home` (ZR4PC_HOME).
  MainWindow window{false, tray, FoldersOf(home.path().toStdString())};
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
  EXPECT_TRUE(Parts(*controller).Options().AutoOn);
  EXPECT_FALSE(Parts(*controller).Options().NBCut);
  EXPECT_TRUE(Parts(*controller).Options().AutoVolChange);
  EXPECT_EQ(Parts(*controller).Options().VolMax, 80);
  EXPECT_EQ(Child<QScrollBar>(window, "ScrollBar1").maximum(), 80);
  EXPECT_EQ(Parts(*controller).Options().OptionPage, 3);
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
  EXPECT_TRUE(Parts(*controller).Options().AutoOn);
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
  ASSERT_EQ(Parts(*controller).Settings().TimerList.Count(), 1);
  EXPECT_EQ(Parts(*controller).Settings().TimerList.GetItem(0).Command, "-PCALL 5");
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
    // The window's component is the simulated one.
    EXPECT_EQ(Child<QLabel>(dialog, "lbSimulated").text(),
              QString::fromUtf8("ZR4PCのシミュレーターで動作中です。"));
    QMenu& menu = static_cast<AboutBox&>(dialog).IconMenu();
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->text(), "Default");
    menu.actions()[1]->trigger();
    EXPECT_EQ(Parts(*controller).Settings().IconName, "red.ico");
    EXPECT_TRUE(Parts(*controller).Settings().IconChange);
    dialog.accept();
  });
  Run("actAbout");
}

TEST_F(DialogsTest, TrayClicksRunTheirKindsAndMinimisingKeepsTheWindowWithoutATray) {
  Start();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Parts(*controller).Tray().Clicks().Click(TTrayButton::Left);  // left click: minimise
  EXPECT_TRUE(window.isMinimized());
  EXPECT_TRUE(Parts(*controller).Tray().Minimized());
  // With a notification area (Windows always has one) the window goes into it; offscreen there
  // is none, and the window is minimised, not hidden.
  const bool notificationArea = TrayIcon::Available();
  EXPECT_EQ(tray.Shown(), notificationArea);
  EXPECT_EQ(window.isVisible(), !notificationArea);
  Parts(*controller).Tray().Clicks().Click(TTrayButton::Left);  // and back
  EXPECT_FALSE(window.isMinimized());
  EXPECT_FALSE(Parts(*controller).Tray().Minimized());
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

// On a StatusNotifier host the right click is greyed too, and the longer note fits the page.
TEST_F(DialogsTest, TrayPageOnAStatusNotifierHostGreysTheRightClickWithItsNote) {
  TStartup startup;
  startup.trayClicks.doubleClick = {false, false, false};
  startup.trayClicks.rightClick = false;
  Start(startup);
  OnNextDialog([](QDialog& dialog) {
    Child<QTabWidget>(dialog, "PageControl1").setCurrentIndex(5);
    QTest::qWait(1);
    auto& list = Child<QTreeWidget>(dialog, "ListView3");
    QStringList disabled;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
      if (list.topLevelItem(row)->isDisabled()) disabled << list.topLevelItem(row)->text(0);
    EXPECT_EQ(disabled.join(' '),
              QString::fromUtf8("右クリック 右ダブルクリック 左ダブルクリック 中ダブルクリック"));
    EXPECT_TRUE(
        Child<QLabel>(dialog, "lbTrayNote")
            .text()
            .endsWith(QString::fromUtf8("右クリックではデスクトップがメニューを開きます。")));
    ExpectNothingClipped(dialog, "tray page");
    Picture(dialog, "options-tray-status-notifier");
    dialog.reject();
  });
  Run("actOptionDialog");
}

struct RecordingLoginStart : LoginStart {
  bool Enabled() override { return enabled; }
  bool SetEnabled(bool on) override {
    enabled = on;
    ++writes;
    return true;
  }
  std::string Location() const override { return "autostart"; }
  bool enabled = false;
  int writes = 0;
};

// "ログイン時に起動する" under "最小化して起動": it shows the entry, and OK writes it.
TEST_F(DialogsTest, TheLoginStartBoxShowsAndWritesTheEntry) {
  RecordingLoginStart login;
  Start({}, TPcPorts{.loginStart = &login});
  OnNextDialog([](QDialog& dialog) {
    auto& box = Child<QCheckBox>(dialog, "CheckBoxLoginStart");
    EXPECT_EQ(box.text(), QString::fromUtf8("ログイン時に起動する"));
    EXPECT_FALSE(box.isChecked());
    EXPECT_GT(box.y(), Child<QCheckBox>(dialog, "CheckBox11").y());
    ExpectNothingClipped(dialog, "page 1");
    Picture(dialog, "options-1-login");
    box.click();
    dialog.accept();
  });
  Run("actOptionDialog");
  EXPECT_TRUE(login.enabled);
  EXPECT_EQ(login.writes, 1);
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

// Fusion's white on its blue highlight measures about 3; white on the near-white highlight that
// hid the text measured 1.05.
constexpr double kReadable = 2.5;

// The text of a selected row stays readable in every style Qt offers here, with the list
// focused, with the focus elsewhere in the dialog and with the dialog in the background.
TEST_F(DialogsTest, SelectedRowsOfTheThreeListsAreReadable) {
  Start();
  Parts(*controller).Settings().GestureList = {"\"↑↑↓\",\"01,スタンバイ\",1"};
  TMyTimerData timer;
  timer.WeekDay = 8;
  timer.Hour = 7;
  timer.Minute = 30;
  timer.Command = "-OFF";
  Parts(*controller).Settings().TimerList.Add(timer);
  const QString original = QApplication::style()->name();
  for (const QString& style : QStyleFactory::keys()) {
    QApplication::setStyle(style);
    OnNextDialog([this, style](QDialog& dialog) {
      dialog.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
      auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
      // list, page, the column whose text is checked
      const std::tuple<const char*, int, int> lists[] = {
          {"ListView1", 2, 1}, {"ListView2", 4, 3}, {"ListView3", 5, 1}};
      for (const auto& [name, page, column] : lists) {
        tabs.setCurrentIndex(page);
        auto& list = Child<QTreeWidget>(dialog, name);
        QTreeWidgetItem* row = list.topLevelItem(0);
        ASSERT_NE(row, nullptr) << name;
        list.setCurrentItem(row);
        ASSERT_TRUE(row->isSelected());
        const QString where = style + " " + name;
        list.setFocus();
        EXPECT_GE(CellTextContrast(list, row, column), kReadable)
            << where.toStdString() << " focused";
        Child<QPushButton>(dialog, "CancelBtn").setFocus();
        EXPECT_GE(CellTextContrast(list, row, column), kReadable)
            << where.toStdString() << " unfocused";
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_GE(CellTextContrast(list, row, column), kReadable)
            << where.toStdString() << " inactive";
        Picture(dialog, QString("selected-%1-%2").arg(style, name));
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
      }
      dialog.reject();
    });
    Run("actOptionDialog");
  }
  QApplication::setStyle(original);
}

// A row of each list is as tall as a line of its font, so "p" and "y" keep their descenders and
// the grid line below the row does not cut them, in every style Qt offers here.
TEST_F(DialogsTest, TheListRowsFitTheirFont) {
  Start();
  Parts(*controller).Settings().GestureList = {"\"↑↑↓\",\"12,Winamp Play\",1"};
  TMyTimerData timer;
  timer.WeekDay = 8;
  timer.Command = "-PCALL 12";
  Parts(*controller).Settings().TimerList.Add(timer);
  const QString original = QApplication::style()->name();
  for (const QString& style : QStyleFactory::keys()) {
    QApplication::setStyle(style);
    OnNextDialog([style](QDialog& dialog) {
      auto& tabs = Child<QTabWidget>(dialog, "PageControl1");
      const std::pair<const char*, int> lists[] = {
          {"ListView1", 2}, {"ListView2", 4}, {"ListView3", 5}};
      for (const auto& [name, page] : lists) {
        tabs.setCurrentIndex(page);
        QTest::qWait(1);
        auto& list = Child<QTreeWidget>(dialog, name);
        QTreeWidgetItem* row = list.topLevelItem(0);
        ASSERT_NE(row, nullptr) << name;
        const QString where = style + " " + name;
        const int line = QFontMetrics(list.font()).height();
        // The grid line takes the row's last pixel row; the text needs a whole line above it.
        EXPECT_GE(list.visualItemRect(row).height() - 1, line) << where.toStdString();
        Picture(dialog, QString("rows-%1-%2").arg(style, name));
      }
      EXPECT_EQ(Child<QTreeWidget>(dialog, "ListView1").topLevelItem(0)->text(1), "12,Winamp Play");
      dialog.reject();
    });
    Run("actOptionDialog");
  }
  QApplication::setStyle(original);
}

// The "No." column holds each row's check box and its whole number, "00", "01", ….
TEST_F(DialogsTest, TheTimerNumbersShowWhole) {
  Start();
  for (int day = 1; day <= 8; ++day) {
    TMyTimerData timer;
    timer.WeekDay = day;
    timer.Command = "-ON";
    timer.Enabled = day % 2 == 0;
    timer.No = day - 1;
    Parts(*controller).Settings().TimerList.Add(timer);
  }
  OnNextDialog([](QDialog& dialog) {
    Child<QTabWidget>(dialog, "PageControl1").setCurrentIndex(4);
    auto& list = Child<QTreeWidget>(dialog, "ListView2");
    ASSERT_EQ(list.topLevelItemCount(), 8);
    EXPECT_EQ(list.topLevelItem(0)->text(0), "00");
    EXPECT_EQ(list.topLevelItem(7)->text(0), "07");
    const QAbstractItemView& view = list;
    EXPECT_LE(view.sizeHintForColumn(0), list.columnWidth(0));
    EXPECT_LE(list.header()->sectionSizeHint(0), list.columnWidth(0));
    EXPECT_GE(list.columnWidth(0), 40);
    Picture(dialog, "timer-numbers");
    // A row added through the timer entry dialog is numbered and shown whole too.
    OnNextDialog([](QDialog& entry) {
      Child<QComboBox>(entry, "WeekCB").setCurrentIndex(0);
      Child<QLineEdit>(entry, "CmdEdit").setText("-OFF");
      Child<QPushButton>(entry, "OKbtn").click();
    });
    Child<QPushButton>(dialog, "Button10").click();
    ASSERT_EQ(list.topLevelItemCount(), 9);
    EXPECT_EQ(list.topLevelItem(8)->text(0), "08");
    EXPECT_LE(view.sizeHintForColumn(0), list.columnWidth(0));
    dialog.reject();
  });
  Run("actOptionDialog");
}

// The gesture command list drops down ten rows and scrolls to the other nineteen, in every
// style Qt offers here.
TEST_F(DialogsTest, TheGestureCommandListShowsTenRowsAndScrolls) {
  Start();
  const QString original = QApplication::style()->name();
  for (const QString& style : QStyleFactory::keys()) {
    QApplication::setStyle(style);
    OnNextDialog([style](QDialog& dialog) {
      Child<QTabWidget>(dialog, "PageControl1").setCurrentIndex(2);
      auto& commands = Child<QComboBox>(dialog, "RemoteCmdbox");
      ASSERT_EQ(commands.count(), 29);
      EXPECT_EQ(commands.itemText(0), QString::fromUtf8("01,スタンバイ"));
      EXPECT_EQ(commands.itemText(28), "38,Lilith Rewind");
      commands.showPopup();
      QTest::qWait(1);
      QAbstractItemView* rows = commands.view();
      ASSERT_TRUE(rows->isVisible()) << style.toStdString();
      int whole = 0;
      for (int i = 0; i < commands.count(); ++i)
        if (rows->viewport()->rect().contains(rows->visualRect(commands.model()->index(i, 0))))
          ++whole;
      EXPECT_EQ(whole, 10) << style.toStdString();
      EXPECT_GT(rows->verticalScrollBar()->maximum(), 0) << style.toStdString();
      Picture(*rows->window(), "gesture-commands-" + style);
      commands.hidePopup();
      dialog.reject();
    });
    Run("actOptionDialog");
  }
  QApplication::setStyle(original);
}

// The timer's argument list (the values of -VOL, -PCALL) drops down ten rows and scrolls, in
// every style Qt offers here.
TEST_F(DialogsTest, TheTimerArgumentListShowsTenRowsAndScrolls) {
  Start();
  const QString original = QApplication::style()->name();
  for (const QString& style : QStyleFactory::keys()) {
    QApplication::setStyle(style);
    OnNextDialog([style](QDialog& dialog) {
      OnNextDialog([style](QDialog& entry) {
        Child<QComboBox>(entry, "CmdCB").setCurrentIndex(2);  // -PCALL
        auto& arguments = Child<QComboBox>(entry, "NumCB");
        ASSERT_EQ(arguments.count(), 40);
        arguments.showPopup();
        QTest::qWait(1);
        QAbstractItemView* rows = arguments.view();
        ASSERT_TRUE(rows->isVisible()) << style.toStdString();
        int whole = 0;
        for (int i = 0; i < arguments.count(); ++i)
          if (rows->viewport()->rect().contains(rows->visualRect(arguments.model()->index(i, 0))))
            ++whole;
        EXPECT_EQ(whole, 10) << style.toStdString();
        EXPECT_GT(rows->verticalScrollBar()->maximum(), 0) << style.toStdString();
        Picture(*rows->window(), "timer-arguments-" + style);
        arguments.hidePopup();
        entry.reject();
      });
      Child<QPushButton>(dialog, "Button10").click();
      dialog.reject();
    });
    Run("actOptionDialog");
  }
  QApplication::setStyle(original);
}

// Empties a spin box as a user does: everything selected, then Backspace.
void Empty(QSpinBox& spin) {
  spin.setFocus();
  spin.selectAll();
  QTest::keyClick(&spin, Qt::Key_Backspace);
  ASSERT_EQ(spin.text(), "");
}

// A spin box left empty counts as its range's minimum, whether OK is clicked or Enter pressed.
TEST_F(DialogsTest, AnEmptiedSpinBoxTakesItsMinimum) {
  Start();
  OnNextDialog([](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(dialog, "PageControl1").setCurrentIndex(1);
    Empty(Child<QSpinBox>(dialog, "SpinEdit11"));  // 最大ボリューム 1..80
    Empty(Child<QSpinBox>(dialog, "SpinEdit6"));   // マウスホイール -10..10
    Empty(Child<QSpinBox>(dialog, "SpinEdit7"));   // A.P.S. 分 0..600
    QTest::mouseClick(&Child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
  });
  Run("actOptionDialog");
  EXPECT_EQ(Parts(*controller).Options().VolMax, 1);
  EXPECT_EQ(Parts(*controller).Options().VolWheel, -10);
  EXPECT_EQ(Parts(*controller).Options().APSMin, 0);

  OnNextDialog([](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(dialog, "PageControl1").setCurrentIndex(2);
    auto& interval = Child<QSpinBox>(dialog, "SpinEdit5");  // コマンド受付時間(ms) 500..10000
    Empty(interval);
    QTest::keyClick(&interval, Qt::Key_Return);
  });
  Run("actOptionDialog");
  EXPECT_EQ(Parts(*controller).Options().RemoConInterval, 500);

  OnNextDialog([](QDialog& dialog) {
    OnNextDialog([](QDialog& entry) {
      entry.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
      Child<QComboBox>(entry, "WeekCB").setCurrentIndex(7);
      auto& hour = Child<QSpinBox>(entry, "HourSE");
      hour.setValue(7);
      Empty(hour);
      Child<QSpinBox>(entry, "MinSE").setValue(30);
      Child<QLineEdit>(entry, "CmdEdit").setText("-ON");
      QTest::mouseClick(&Child<QPushButton>(entry, "OKbtn"), Qt::LeftButton);
    });
    Child<QPushButton>(dialog, "Button10").click();
    auto& list = Child<QTreeWidget>(dialog, "ListView2");
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(2), "00:30");
    dialog.reject();
  });
  Run("actOptionDialog");
}

}  // namespace
}  // namespace zr4

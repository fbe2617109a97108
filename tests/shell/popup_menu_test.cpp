// The right-click menu and the keyboard shortcuts in the real window, offscreen.
#include "shell/menu/popup_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/app/controller.h"
#include "fakes/controller_parts.h"
#include "fakes/sim_link.h"
#include "platform/base/file_store_system.h"
#include "platform/base/text_codec_system.h"
#include "platform/settings/settings_location.h"
#include "platform/tray/tray_icon.h"
#include "shell/panel/main_window.h"

namespace zr4 {
namespace {

QAction* Entry(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions())
    if (action->text() == text || action->text().startsWith(text + '\t')) return action;
  return nullptr;
}

// Two outputs, the second preferred; counts how often the sound system is asked.
class CountingOutputs : public AudioOutputs {
 public:
  std::vector<std::string> OutputNames() override {
    ++reads;
    return {"Speakers", "ZR4PC USB Audio"};
  }
  std::string PreferredOutput() override { return "ZR4PC USB Audio"; }
  void SetPreferredOutput(const std::string&) override {}
  int reads = 0;
};

class PopupMenuTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  // The window as the program starts it, with the settings and "ShortCut.ini" in `home`.
  void Start(const QString& home, TPcPorts ports = {}) {
    qputenv("ZR4PC_HOME", home.toUtf8());
    storage = std::make_unique<SettingsStorage>(SettingsStorage{files, codec, SettingsFilePath()});
    controller = std::make_unique<TController>(clock, link, window.Views(), storage.get(), ports);
    window.SetController(controller.get());
    controller->FormCreate({});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override {
    qunsetenv("ZR4PC_HOME");
    window.SetController(nullptr);
  }

  QString Text(const char* label) { return window.findChild<QLabel*>(label)->text(); }

  QTemporaryDir home;
  SystemFileStore files;
  SystemTextCodec codec;
  std::unique_ptr<SettingsStorage> storage;
  TrayIcon tray;
  // The program folder is `home` (ZR4PC_HOME).
  MainWindow window{false, tray, FoldersOf(home.path().toStdString())};
  std::unique_ptr<TController> controller;
};

TEST_F(PopupMenuTest, OpensAndRunsEntries) {
  Start(home.path());
  QMenu& menu = window.PopupMenu1();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  QStringList top;
  for (QAction* action : menu.actions()) top << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(top, (QStringList{"&Volume", "&Sleep", "-", "&TUNER", "&CD", "M&D", "TAPE/&AUX",
                              "PC &USB", "-", "&Mute", "&N.B.", "&Power On/Off", "-",
                              "Al&ways On Top", "Tas&kTray", "&Other", "-", "E&xit"}));
  EXPECT_TRUE(Entry(menu, "Tas&kTray")->isEnabled());

  Entry(menu, "TAPE/&AUX")->trigger();
  EXPECT_EQ(sim.input(), kInputAUX);
  EXPECT_EQ(Text("lbInput"), "TAPE/AUX");

  // The tuner's presets are a grid of two columns of ten.
  QMenu* tuner = Entry(menu, "&TUNER")->menu();
  QMenu* direct = Entry(*tuner, "Direct")->menu();
  ASSERT_NE(direct, nullptr);
  auto* preset7 = direct->findChild<QToolButton*>("Direct/07");
  auto* preset11 = direct->findChild<QToolButton*>("Direct/11");
  auto* preset20 = direct->findChild<QToolButton*>("Direct/20");
  ASSERT_TRUE(preset7 && preset11 && preset20);
  direct->popup(window.mapToGlobal(QPoint(40, 40)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(direct));
  EXPECT_EQ(preset11->pos().y(), direct->findChild<QToolButton*>("Direct/01")->pos().y());
  EXPECT_GT(preset11->pos().x(), preset7->pos().x());
  EXPECT_EQ(preset20->pos().x(), preset11->pos().x());
  preset7->click();
  EXPECT_EQ(sim.preset(), 7);
  EXPECT_EQ(Text("lbPresetNum"), "07");
  EXPECT_FALSE(direct->isVisible());

  // Check marks are read afresh each time the menu opens.
  menu.close();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  QAction* onTop = Entry(menu, "Al&ways On Top");
  EXPECT_FALSE(onTop->isChecked());
  onTop->trigger();
  EXPECT_TRUE(Parts(*controller).Settings().OnTop);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  menu.close();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  EXPECT_TRUE(Entry(menu, "Al&ways On Top")->isChecked());
  menu.close();
}

TEST_F(PopupMenuTest, ShortcutsFromShortCutIni) {
  QFile file(home.filePath("ShortCut.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[ShortCut]\r\npoweronoff=Ctrl+P\r\nCD_TUNER_NEXT=Num 6\r\nVolume_10=^Shift+F5\r\n");
  file.close();
  Start(home.path());
  ASSERT_EQ(Parts(*controller).Shortcuts().size(), 3u);

  QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(sim.standby());
  QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(sim.standby());

  QTest::keyClick(&window, Qt::Key_6);  // the main block's 6 is not the keypad's
  EXPECT_EQ(sim.preset(), 1);
  QTest::keyClick(&window, Qt::Key_6, Qt::KeypadModifier);
  EXPECT_EQ(sim.preset(), 2);
  EXPECT_EQ(Text("lbPresetNum"), "02");

  QTest::keyClick(&window, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(sim.volume(), 10);

  // The menu shows the shortcut beside the entry and beside entries running the same action.
  QMenu& menu = window.PopupMenu1();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  EXPECT_EQ(Entry(menu, "&Power On/Off")->text(), "&Power On/Off\tCtrl+P");
  EXPECT_EQ(Entry(*Entry(menu, "&CD")->menu(), "Next")->text(), "Next\tNum 6");
  EXPECT_EQ(Entry(*Entry(menu, "&TUNER")->menu(), "Next")->text(), "Next");
  menu.close();
}

// The sound system is asked for its outputs when the menu first opens, not at start, and the
// opened menu lists them as before.
TEST_F(PopupMenuTest, TheAudioOutputsAreReadWhenTheMenuFirstOpens) {
  CountingOutputs outputs;
  Start(home.path(), {.audio = &outputs});
  EXPECT_EQ(outputs.reads, 0);
  QMenu& menu = window.PopupMenu1();
  for (int opening = 0; opening < 2; ++opening) {
    menu.popup(window.mapToGlobal(QPoint(20, 20)));
    EXPECT_EQ(outputs.reads, 1);
    QMenu* devices = Entry(*Entry(menu, "&Other")->menu(), "AudioDevice")->menu();
    ASSERT_NE(devices, nullptr);
    EXPECT_TRUE(devices->isEnabled());
    ASSERT_EQ(devices->actions().size(), 2);
    EXPECT_EQ(devices->actions()[0]->text(), "Speakers");
    EXPECT_FALSE(devices->actions()[0]->isChecked());
    EXPECT_EQ(devices->actions()[1]->text(), "ZR4PC USB Audio");
    EXPECT_TRUE(devices->actions()[1]->isChecked());
    menu.close();
  }
}

// The frequency label carries its own menu on the tuner; elsewhere a right click there opens
// nothing. The sleep entries tick the chosen time.
TEST_F(PopupMenuTest, LabelMenuAndSleepTicks) {
  Start(home.path());
  auto rightClick = [this](const char* label) {
    const QPoint at = window.findChild<QLabel*>(label)->geometry().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, window.mapToGlobal(at));
    QApplication::sendEvent(&window, &event);
    return window.findChild<QMenu*>("LabelMenu");
  };
  QMenu* labelMenu = rightClick("lbRadioNum");
  ASSERT_NE(labelMenu, nullptr);
  ASSERT_EQ(labelMenu->actions().size(), 1);
  EXPECT_EQ(labelMenu->actions()[0]->text(), QString::fromUtf8("表示変更"));
  labelMenu->actions()[0]->trigger();
  EXPECT_TRUE(Parts(*controller).Options().ShowRadioName);
  labelMenu->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  Parts(*controller).Commands().actSelectCDExecute();
  EXPECT_EQ(rightClick("lbRadioNum"), nullptr);
  EXPECT_FALSE(window.PopupMenu1().isVisible());

  QMenu& menu = window.PopupMenu1();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  QMenu* sleep = Entry(menu, "&Sleep")->menu();
  EXPECT_TRUE(Entry(*sleep, "OFF")->isChecked());
  Entry(*sleep, "30")->trigger();
  menu.close();
  menu.popup(window.mapToGlobal(QPoint(20, 20)));
  sleep = Entry(menu, "&Sleep")->menu();
  EXPECT_TRUE(Entry(*sleep, "30")->isChecked());
  EXPECT_FALSE(Entry(*sleep, "OFF")->isChecked());
  menu.close();
}

TEST_F(PopupMenuTest, WindowKeysAndWheelMoveTheVolume) {
  Start(home.path());
  QTest::keyClick(&window, Qt::Key_PageUp);
  EXPECT_EQ(sim.volume(), 27);
  QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(sim.volume(), 27);
  QTest::keyClick(&window, Qt::Key_Left);
  EXPECT_EQ(sim.volume(), 26);

  QWheelEvent up(QPointF(10, 10), window.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&window, &up);
  EXPECT_EQ(sim.volume(), 28);
  EXPECT_TRUE(up.isAccepted());
  QWheelEvent half(QPointF(10, 10), window.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -60),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&window, &half);
  EXPECT_EQ(sim.volume(), 28);
  QApplication::sendEvent(&window, &half);
  EXPECT_EQ(sim.volume(), 26);

  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace zr4

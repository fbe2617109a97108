#include "core/panel/audio_device_menu.h"

#include <gtest/gtest.h>

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

class FakeOutputs : public AudioOutputs {
 public:
  std::vector<std::string> OutputNames() override {
    ++reads;
    return names;
  }
  std::string PreferredOutput() override { return preferred; }
  void SetPreferredOutput(const std::string& name) override {
    preferred = name;
    writes.push_back(name);
  }
  std::vector<std::string> names;
  std::string preferred;
  std::vector<std::string> writes;
  int reads = 0;
};

TEST(AudioDeviceMenuTest, TicksOnlyAnExactMatchAndWritesTheClickedName) {
  FakeOutputs outputs;
  outputs.names = {"Speakers", "SPEAKERS", "ZR4PC USB Audio"};
  outputs.preferred = "SPEAKERS";
  TAudioDeviceMenu menu(outputs);
  menu.Build();
  EXPECT_EQ(menu.Ticked(), 1);
  menu.Click(1);  // already ticked
  menu.Click(3);  // beyond the entries
  menu.Click(-2);
  EXPECT_TRUE(outputs.writes.empty());
  menu.Click(2);
  EXPECT_EQ(outputs.writes, std::vector<std::string>{"ZR4PC USB Audio"});
  EXPECT_EQ(menu.Ticked(), 2);

  // A preferred name that matches nothing ticks nothing; a click still writes.
  outputs.preferred = "gone";
  menu.Build();
  EXPECT_EQ(menu.Ticked(), -1);
  menu.Click(0);
  EXPECT_EQ(outputs.preferred, "Speakers");
}

TEST(AudioDeviceMenuTest, OneOutputIsListedButClickingItChangesNothing) {
  FakeOutputs outputs;
  outputs.names = {"Speakers"};
  TAudioDeviceMenu menu(outputs);
  menu.Build();
  EXPECT_TRUE(menu.Enabled());
  menu.Click(0);
  EXPECT_TRUE(outputs.writes.empty());
  outputs.names.clear();
  menu.Build();
  EXPECT_FALSE(menu.Enabled());
}

class AudioMenuEntries : public CommandTest {};

TEST_F(AudioMenuEntries, TheSubmenuListsTheOutputsWhenFirstShownAndClicksReachThem) {
  FakeOutputs outputs;
  outputs.names = {"Speakers", "ZR4PC USB Audio"};
  outputs.preferred = "Speakers";
  TController withAudio(clock, link, view, nullptr, {.audio = &outputs});
  withAudio.FormCreate({});
  // The start does not ask the sound system; the menu about to be shown does, once.
  EXPECT_EQ(outputs.reads, 0);
  Parts(withAudio).PopupMenu1().PrepareToShow();
  Parts(withAudio).PopupMenu1().PrepareToShow();
  EXPECT_EQ(outputs.reads, 1);
  TMenuItem* entry =
      Parts(withAudio).PopupMenu1().Find({"&Other", "AudioDevice", "ZR4PC USB Audio"});
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Name, "Device1");
  EXPECT_FALSE(Parts(withAudio).PopupMenu1().Checked(*entry));
  Parts(withAudio).PopupMenu1().Click(*entry);
  EXPECT_EQ(outputs.preferred, "ZR4PC USB Audio");
  EXPECT_TRUE(Parts(withAudio).PopupMenu1().Checked(*entry));

  // Without outputs the submenu is there but disabled.
  Parts(controller).PopupMenu1().PrepareToShow();
  EXPECT_FALSE(Parts(controller).PopupMenu1().Find({"&Other", "AudioDevice"})->Enabled);

  // "-DEVICE n" clicks entry n; numbers outside the entries do nothing.
  outputs.writes.clear();
  withAudio.ExecuteParams("-DEVICE -2 -DEVICE 2 -DEVICE 0 -DEVICE x");
  EXPECT_EQ(outputs.writes, std::vector<std::string>{"Speakers"});
  EXPECT_EQ(outputs.reads, 1);
}

TEST_F(AudioMenuEntries, DeviceOnTheCommandLineReadsTheOutputsFirst) {
  FakeOutputs outputs;
  outputs.names = {"Speakers", "ZR4PC USB Audio"};
  outputs.preferred = "Speakers";
  TController withAudio(clock, link, view, nullptr, {.audio = &outputs});
  TStartup startup;
  startup.params = {"-DEVICE", "1"};
  withAudio.FormCreate(startup);
  EXPECT_EQ(outputs.reads, 1);
  EXPECT_EQ(outputs.writes, std::vector<std::string>{"ZR4PC USB Audio"});
  Parts(withAudio).PopupMenu1().PrepareToShow();
  EXPECT_EQ(outputs.reads, 1);
  TMenuItem* entry =
      Parts(withAudio).PopupMenu1().Find({"&Other", "AudioDevice", "ZR4PC USB Audio"});
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(Parts(withAudio).PopupMenu1().Checked(*entry));
}

}  // namespace
}  // namespace zr4::test

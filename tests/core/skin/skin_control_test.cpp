#include "core/skin/skin_control.h"

#include <gtest/gtest.h>

#include "core/app/controller.h"
#include "core/ports/log.h"
#include "core/skin/bmp_builder.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_folder_list.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4::test {
namespace {

std::string Picture(int width, int height) {
  return SolidBmp(width, height, "\x40\x40\x40");
}

// A strip skin archive: its INI and its face.
std::string StripArchive(const std::string& base, int width, const std::string& ini = "") {
  return BuildZip({{base + ".ini", ini}, {base + "0.bmp", Picture(width, 10)}});
}

class SkinControlTest : public ::testing::Test, protected SimLink<> {
 protected:
  SkinControlTest() {
    files.files["/prog/skins/skindefa.zip"] = StripArchive("skindefa", 300);
    files.files["/prog/skins/Green.zip"] = StripArchive("green", 200, "[Visible]\nBorder=1\n");
    files.files["/prog/skins/wood/SKIN.INI"] = "[VolumeBar]\nVolBarRect=0,0,70,5\n";
    files.files["/prog/skins/plain.ini"] = "";
    files.files["/prog/skins/readme.txt"] = "";
    files.files["/data/skins/Green.zip"] = StripArchive("green", 50);
    files.files["/data/skins/extra.zip"] = StripArchive("extra", 60);
  }
  void Start() {
    controller.FormCreate({});
    view.messages.clear();
  }

  FakeFileStore files;
  FakeTextCodec codec;
  FakeFolderList folders{files};
  TSkinPorts ports{files, codec, folders, {"/prog", "/data"}, StripArchive("skindefa", 123)};
  FakeView view;
  TController controller{clock, link, view, nullptr, {.skins = &ports}};
  TSkinControl& skins = Parts(controller).Skins();
};

TEST_F(SkinControlTest, TheMenuListsFoldersThenIniThenZipOfEachSkinsFolder) {
  Start();
  std::vector<std::string> names;
  for (const TSkinMenuEntry& e : skins.Entries()) names.push_back(e.SkinIniName());
  EXPECT_EQ(names, (std::vector<std::string>{"skins\\wood\\skin.ini", "skins\\plain.ini",
                                             "skins\\Green.zip", "skins\\skindefa.zip",
                                             "skins\\extra.zip"}));
  const TMenuItem* menu = Parts(controller).PopupMenu1().FindByName("Skin1");
  ASSERT_EQ(menu->Items.size(), 5u);
  EXPECT_TRUE(menu->Enabled);
  EXPECT_EQ(menu->Items[2].Caption, "Green");
  EXPECT_EQ(view.look.Main.Width, 300);  // the default skin
  EXPECT_EQ(skins.Checked(), -1);
}

TEST_F(SkinControlTest, ChoosingASkinSwitchesRemembersAndKeepsTheWindowInTheWorkArea) {
  Parts(controller).Settings().OnTop = true;
  Start();
  view.topmostCalls.clear();
  view.window = {900, 700, 1200, 710};
  view.workArea = TRect{0, 0, 1000, 705};
  TMenuItem& green = Parts(controller).PopupMenu1().FindByName("Skin1")->Items[2];
  Parts(controller).PopupMenu1().Click(green);
  EXPECT_EQ(Parts(controller).Options().SkinIniName, "skins\\Green.zip");
  EXPECT_EQ(view.look.Main.Width, 200);  // the program folder's copy comes first
  EXPECT_EQ(view.layout.Framed, true);
  EXPECT_EQ(view.topmostCalls, std::vector<bool>{true});
  EXPECT_EQ(view.window, (TRect{700, 695, 1000, 705}));
  EXPECT_TRUE(Parts(controller).PopupMenu1().Checked(green));

  const int loads = view.skinChanges;
  Parts(controller).PopupMenu1().Click(green);
  EXPECT_EQ(view.skinChanges, loads);

  Parts(controller)
      .PopupMenu1()
      .Click(Parts(controller).PopupMenu1().FindByName("Skin1")->Items[4]);
  EXPECT_EQ(view.look.Main.Width, 60);  // only in the data folder
}

TEST_F(SkinControlTest, ASkinLoadLeavesTheShownTrayIconAlone) {
  Start();
  Parts(controller).Tray().AddTrayIcon();
  view.trayIcon.clear();
  Parts(controller)
      .PopupMenu1()
      .Click(Parts(controller).PopupMenu1().FindByName("Skin1")->Items[2]);
  EXPECT_EQ(view.look.Main.Width, 200);
  // Neither taken away nor added again: the notification area keeps the icon where it is.
  EXPECT_TRUE(view.trayIcon.empty());
  EXPECT_TRUE(Parts(controller).Tray().Shown());
}

TEST_F(SkinControlTest, ABrokenSkinShowsWhyAndKeepsTheLook) {
  Start();
  files.files["/prog/skins/Green.zip"] = BuildZip({{"green.ini", ""}, {"green0.bmp", "BMbroken"}});
  const int loads = view.skinChanges;
  EXPECT_FALSE(skins.LoadSkinFile("skins\\Green.zip"));
  EXPECT_EQ(view.skinChanges, loads);
  EXPECT_EQ(view.messages, std::vector<std::string>{"Bitmap image is not valid"});
}

TEST_F(SkinControlTest, AStripSkinWithoutAFacePictureDropsTheShapedOutline) {
  files.files["/prog/skins/round/skin.ini"] =
      "[TransparentColor]\nMainTransparentColor=$00FFFFFF\n";
  files.files["/prog/skins/round/main.bmp"] = SolidBmp(4, 2, "\xFF\xFF\xFF");
  Start();
  ASSERT_TRUE(skins.LoadSkinFile("skins\\round\\skin.ini"));
  ASSERT_TRUE(view.look.Outline.has_value());  // all white: the outline leaves nothing

  // plain.ini has no plain0.bmp: the old face stays, framed as a plain rectangle.
  ASSERT_TRUE(skins.LoadSkinFile("skins\\plain.ini"));
  EXPECT_EQ(view.look.Main.Width, 4);
  EXPECT_FALSE(view.look.Outline.has_value());
  EXPECT_EQ(view.layout.Framed, false);
}

TEST_F(SkinControlTest, TheOptionsDialogLoadsTheSkinItWasGiven) {
  Start();
  TOptionFormModel form = Parts(controller).OptionDialog().Load();
  form.SkinBrowsed("/prog/skins/Green.zip", "/prog");
  Parts(controller).OptionDialog().ApplyOptions(form);
  EXPECT_EQ(Parts(controller).Options().SkinIniName, "skins\\Green.zip");
  EXPECT_EQ(view.look.Main.Width, 200);
}

TEST_F(SkinControlTest, AtStartABrokenSkinGivesWayToTheBuiltInOne) {
  Parts(controller).Options().SkinIniName = "skins\\gone.zip";
  controller.FormCreate({});
  EXPECT_EQ(view.look.Main.Width, 123);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].find("/prog/skins/gone.zip"), std::string::npos);
  EXPECT_NE(view.messages[0].find("内蔵のスキンを使います。"), std::string::npos);
}

TEST_F(SkinControlTest, TheDefaultSkinIsLookedForInEverySkinsFolderThenBuiltIn) {
  struct Notices {
    Notices()
        : previous(SetNoticeSink([this](std::string_view line) { lines.emplace_back(line); })) {}
    ~Notices() { SetNoticeSink(previous); }
    std::vector<std::string> lines;
    LogSink previous;
  } notices;
  files.files.erase("/prog/skins/skindefa.zip");
  files.files["/data/skins/SKINDEFA.ZIP"] = StripArchive("skindefa", 77);
  controller.FormCreate({});
  EXPECT_EQ(view.look.Main.Width, 77);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_TRUE(notices.lines.empty());

  // Nowhere at all: the built-in copy, one line and no message.
  files.files.erase("/data/skins/SKINDEFA.ZIP");
  skins.LoadStartupSkin("skins/SkinDefa.zip");
  EXPECT_EQ(view.look.Main.Width, 123);
  EXPECT_TRUE(view.messages.empty());
  ASSERT_EQ(notices.lines.size(), 1u);
  EXPECT_NE(notices.lines[0].find("skins/SkinDefa.zip"), std::string::npos);
}

TEST_F(SkinControlTest, PressesInTheVolumeBarSetTheVolumeAndTheKnobFollows) {
  files.files["/prog/skins/knob/skin.ini"] =
      "[ButtonPosition]\nbtnVolseek=0,20\n[VolumeBar]\nVolBarRect=100,50,240,60\n"
      "[Visible]\nbtnVolseek=1\n[TransparentColor]\nMainTransparentColor=clWhite\n";
  files.files["/prog/skins/knob/volseek.bmp"] = Picture(30, 10);
  Start();
  ASSERT_TRUE(skins.LoadSkinFile("skins\\knob\\skin.ini"));
  skins.FormMouseDown(170, 55);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 35);
  EXPECT_EQ(view.knob, (TSkinPoint{165, 20}));  // 100 + 70 − round(10 / 2)
  skins.FormMouseDown(170, 49);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 35);

  skins.BorderLess1Click();
  EXPECT_EQ(view.framed, false);
  EXPECT_TRUE(Parts(controller)
                  .PopupMenu1()
                  .Checked(*Parts(controller).PopupMenu1().FindByName("BorderLess1")));
  skins.BorderLess1Click();
  EXPECT_EQ(view.framed, true);
}

}  // namespace
}  // namespace zr4::test

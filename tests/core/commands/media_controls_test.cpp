// The component as the desktop's media player: what the polls tell, and what its keys send.
#include "core/commands/media_controls.h"

#include <cmath>

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

class MediaControlsTest : public CommandTest {
 protected:
  TMediaControls& media = Parts(controller).Media();
  TMediaState State() { return media.State(); }
  // One poll a second, as the window polls a CD.
  void Poll(int seconds = 1) {
    for (int i = 0; i < seconds; ++i) {
      clock.Pause(1000);
      controller.Refresh();
    }
    clock.log.clear();
  }
};

TEST_F(MediaControlsTest, TheTunerPlaysItsFrequencyAndStepsThePresets) {
  TMediaState s = State();
  EXPECT_EQ(s.playbackStatus, "Playing");
  EXPECT_EQ(s.title, "80.00 MHz");
  EXPECT_EQ(s.album, "FM");
  EXPECT_EQ(s.trackId, "/org/zr4pcctrl/fm/f80_00");
  EXPECT_TRUE(s.canPlay && s.canGoNext && s.canGoPrevious && s.canControl);
  EXPECT_FALSE(s.canPause);

  media.PlayPause();  // live radio does not pause
  media.Play();
  EXPECT_EQ(Take(), Log{});
  media.Next();
  EXPECT_EQ(Take(), (Log{"send 01 07", "pause 200", "read"}));

  Parts(controller).Display().ShowStationName("FM-A");
  EXPECT_EQ(State().title, "FM-A");

  Select(cmdPowerOff);
  s = State();
  EXPECT_EQ(s.playbackStatus, "Stopped");
  EXPECT_FALSE(s.canPlay || s.canGoNext || s.canGoPrevious);
  media.Next();
  EXPECT_EQ(Take(), Log{});
}

TEST_F(MediaControlsTest, TheCdPlaysPausesAndStopsAsItsTimeShows) {
  Select(cmdSelectCD);
  EXPECT_EQ(State().playbackStatus, "Stopped");  // 0:00, standing still
  media.Pause();
  EXPECT_EQ(Take(), Log{});
  media.Play();
  EXPECT_EQ(Take(), (Log{"send 00 CB", "pause 200", "read"}));
  Poll(2);
  TMediaState s = State();
  EXPECT_EQ(s.playbackStatus, "Playing");
  EXPECT_EQ(s.title, "Track 01");
  EXPECT_EQ(s.trackNumber, 1);
  EXPECT_EQ(s.album, "CD");
  EXPECT_EQ(s.trackId, "/org/zr4pcctrl/cd/track01");
  EXPECT_GE(s.positionUs, 2'000'000);
  EXPECT_TRUE(s.canPause);

  media.Play();  // already playing: the play key would pause it
  EXPECT_EQ(Take(), Log{});
  media.Pause();
  EXPECT_EQ(Take(), (Log{"send 00 CB", "pause 200", "read"}));
  Poll(3);
  EXPECT_EQ(State().playbackStatus, "Paused");

  media.Stop();
  EXPECT_EQ(Take(), (Log{"send 00 C9", "pause 200", "read"}));
  Poll(3);
  EXPECT_EQ(State().playbackStatus, "Stopped");
}

TEST_F(MediaControlsTest, OtherInputsShowTheirNameAndOfferWhatTheyHave) {
  Select(cmdSelectMD);
  TMediaState s = State();
  EXPECT_EQ(s.title, "MD");
  EXPECT_TRUE(s.canPause);
  media.Pause();
  EXPECT_EQ(Take(), (Log{"send 01 DA", "pause 200", "read"}));

  Select(cmdSelectUSB);
  s = State();
  EXPECT_EQ(s.title, "PC USB");
  EXPECT_EQ(s.playbackStatus, "Stopped");
  EXPECT_FALSE(s.canPause || s.canGoNext);
  sim.SetUsbPlayback(true);
  sim.SetToneMode(1);  // the playback flag comes with a tone mode
  controller.Refresh();
  EXPECT_EQ(State().title, "PC USB PB");
  EXPECT_EQ(State().playbackStatus, "Playing");
  media.Next();
  media.Stop();
  EXPECT_EQ(Take(), (Log{"read"}));
}

TEST_F(MediaControlsTest, VolumeIsAShareOfVolMaxAndSetsTheComponentThroughTheBar) {
  EXPECT_DOUBLE_EQ(State().volume, 22.0 / 70);
  media.SetVolume(0.5);
  EXPECT_EQ(Take(), (Log{"pause 100", "send 4D 23"}));  // 35
  EXPECT_DOUBLE_EQ(State().volume, 0.5);
  media.SetVolume(0.0);
  EXPECT_EQ(sim.volume(), 0);
  media.SetVolume(7.5);  // beyond the end: the limit
  EXPECT_EQ(sim.volume(), 70);
  EXPECT_DOUBLE_EQ(State().volume, 1.0);
  media.SetVolume(std::nan(""));
  EXPECT_EQ(sim.volume(), 70);

  media.SetVolume(0.5);
  sim.SetVolume(75);  // raised on the component past the limit: the bar pulls it back
  controller.Refresh();
  EXPECT_DOUBLE_EQ(State().volume, 1.0);
  EXPECT_EQ(sim.volume(), 70);
}

}  // namespace
}  // namespace zr4::test

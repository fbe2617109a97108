// The outputs of a real, private PulseAudio server with null sinks: listed, the default one
// preferred, and a choice that sets the default and moves a playing stream.
#include "platform/gestures/pulse_outputs_linux.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/panel/audio_device_menu.h"

extern char** environ;

namespace zr4::test {
namespace {

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 01, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 01, 0);
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  return text;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

class PulseOutputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access("/usr/bin/pulseaudio", X_OK) != 0 || access("/usr/bin/pactl", X_OK) != 0)
      GTEST_SKIP() << "pulseaudio and pulseaudio-utils are not installed";
    char pattern[] = "/tmp/zr4-pulse-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    const std::string socket = folder_ + "/native";
    std::ofstream(folder_ + "/server.pa")
        << "load-module module-native-protocol-unix auth-anonymous=1 socket=" << socket << "\n"
        << "load-module module-null-sink sink_name=speakers "
           "sink_properties=\"device.description='Built-in Speakers'\"\n"
        << "load-module module-null-sink sink_name=zr4pc "
           "sink_properties=\"device.description='ZR4PC USB Audio'\"\n"
        << "set-default-sink speakers\n";
    setenv("HOME", folder_.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    server_ = Spawn({"pulseaudio", "-n", "-F", folder_ + "/server.pa", "--daemonize=no",
                     "--exit-idle-time=-1", "--disable-shm=yes"});
    ASSERT_GT(server_, 0);
    for (int tries = 0; tries < 100 && Output("pactl info 2>/dev/null").empty(); ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_FALSE(Output("pactl info 2>/dev/null").empty()) << "the private server did not start";
  }

  void TearDown() override {
    Stop(stream_);
    Stop(server_);
    unsetenv("PULSE_SERVER");
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  std::string folder_;
  pid_t server_ = -1;
  pid_t stream_ = -1;
};

TEST_F(PulseOutputsTest, ListsTicksAndSwitchesWithThePlayingStream) {
  PulseOutputs outputs;
  EXPECT_EQ(outputs.OutputNames(),
            (std::vector<std::string>{"Built-in Speakers", "ZR4PC USB Audio"}));
  EXPECT_EQ(outputs.PreferredOutput(), "Built-in Speakers");

  stream_ = Spawn({"pacat", "--device=speakers", "/dev/zero"});
  for (int tries = 0; tries < 100 && Output("pactl list short sink-inputs").empty(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::string zr4Index = Output("pactl list short sinks | awk '$2==\"zr4pc\"{print $1}'");
  ASSERT_FALSE(zr4Index.empty());

  outputs.SetPreferredOutput("ZR4PC USB Audio");
  EXPECT_EQ(Output("pactl get-default-sink"), "zr4pc\n");
  EXPECT_EQ(outputs.PreferredOutput(), "ZR4PC USB Audio");
  EXPECT_EQ(Output("pactl list short sink-inputs | awk '{print $2}'"), zr4Index);

  outputs.SetPreferredOutput("No Such Output");
  EXPECT_EQ(Output("pactl get-default-sink"), "zr4pc\n");
}

// Without the client library (or with a library that is not it) there are no outputs, even
// with a server that has some, and a choice changes nothing.
TEST_F(PulseOutputsTest, WithoutTheClientLibraryThereAreNoOutputs) {
  for (const char* library : {"/nonexistent/libpulse.so.0", "libc.so.6"}) {
    SCOPED_TRACE(library);
    PulseOutputs outputs(PulseOutputs::kAnswerBoundMs, library);
    EXPECT_TRUE(outputs.OutputNames().empty());
    EXPECT_EQ(outputs.PreferredOutput(), "");
    outputs.SetPreferredOutput("ZR4PC USB Audio");
    EXPECT_EQ(Output("pactl get-default-sink"), "speakers\n");
    TAudioDeviceMenu menu(outputs);
    menu.Build();
    EXPECT_FALSE(menu.Enabled());
  }
}

TEST(PulseOutputsWithoutServer, NoOutputsAndNothingChanges) {
  setenv("PULSE_SERVER", "unix:/nonexistent/zr4-pulse-socket", 1);
  PulseOutputs outputs(500);
  EXPECT_TRUE(outputs.OutputNames().empty());
  EXPECT_EQ(outputs.PreferredOutput(), "");
  outputs.SetPreferredOutput("ZR4PC USB Audio");
  unsetenv("PULSE_SERVER");
}

// A sound server that takes every connection and never says a word.
class SilentServer {
 public:
  SilentServer() {
    char pattern[] = "/tmp/zr4-silent-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    folder_ = pattern;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, Path().c_str(), sizeof address.sun_path - 1);
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0)
      return;
    acceptor_ = std::thread([this] {
      for (int fd; (fd = accept(listener_, nullptr, nullptr)) >= 0;) {
        held_.push_back(fd);
        ++connections_;
      }
    });
  }
  ~SilentServer() {
    if (acceptor_.joinable()) {
      shutdown(listener_, SHUT_RDWR);  // ends the blocked accept
      acceptor_.join();
    }
    for (const int fd : held_) close(fd);
    if (listener_ >= 0) close(listener_);
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  bool Listening() const { return acceptor_.joinable(); }
  std::string Path() const { return folder_ + "/native"; }
  int Connections() const { return connections_; }

 private:
  std::string folder_;
  int listener_ = -1;
  std::thread acceptor_;
  std::vector<int> held_;
  std::atomic<int> connections_{0};
};

// The "AudioDevice" menu is built on the window's thread as it first opens: a server that accepts
// and never answers must not hold the window (it once cost two timeouts of 2 s in a row).
TEST(PulseOutputsWithSilentServer, TheAudioDeviceMenuIsBuiltWithoutWaitingForIt) {
  SilentServer server;
  ASSERT_TRUE(server.Listening());
  setenv("PULSE_SERVER", ("unix:" + server.Path()).c_str(), 1);
  PulseOutputs outputs;
  TAudioDeviceMenu menu(outputs);
  const auto start = std::chrono::steady_clock::now();
  menu.Build();
  const auto took = std::chrono::steady_clock::now() - start;
  unsetenv("PULSE_SERVER");
  EXPECT_GE(server.Connections(), 1);
  EXPECT_FALSE(menu.Enabled());
  // The whole query is bounded to 300 ms; the rest is room for a busy machine.
  EXPECT_LT(took, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace zr4::test

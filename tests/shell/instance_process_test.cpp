// The built program as a user starts it: one instance per user, later starts handing over,
// status queries, screenshots and the end through a signal. Every wait below waits for the
// program to say or do something, bounded by a generous limit for slow (sanitizer) builds.
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kLimitMs = 30000;
// The program's waits for a silent instance, shortened for the tests that meet one; a save made
// to take several times as long.
constexpr const char* kShortWaitMs = "300";
constexpr const char* kLongSaveMs = "2500";

class InstanceProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    static std::atomic<int> counter{0};
    env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("ZR4PC_HOME", runtime.path());  // the settings file goes there
    env.insert("ZR4PC_INSTANCE_NAME", QString("test-%1-%2").arg(getpid()).arg(counter++));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("ZR4PC_DEBUG");
    env.remove("ZR4PC_SIM_TRACE");
  }

  void TearDown() override {
    if (first.state() != QProcess::NotRunning) {
      first.kill();
      first.waitForFinished(kLimitMs);
    }
  }

  void Start(QProcess& process, const QStringList& args) {
    process.setProcessEnvironment(env);
    if (fileSizeLimit > 0) {
      // A disk that fills up: larger writes fail (and do not end the process).
      process.setChildProcessModifier([limit = fileSizeLimit] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
      });
    }
    process.setWorkingDirectory(runtime.path());
    process.start(ZR4PCCTRL_PATH, args);
    ASSERT_TRUE(process.waitForStarted(kLimitMs));
  }

  // Runs the program to its end; returns its standard output.
  QString Run(const QStringList& args, int* exitCode = nullptr) {
    QProcess process;
    Start(process, args);
    EXPECT_TRUE(process.waitForFinished(kLimitMs)) << args.join(' ').toStdString();
    if (exitCode) *exitCode = process.exitCode();
    lastErr = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

  // Reads the first instance's diagnostics until `line` appears.
  bool WaitForLog(const QString& line) {
    while (!firstErr.contains(line)) {
      if (first.state() == QProcess::NotRunning) return false;
      if (!first.waitForReadyRead(kLimitMs)) return false;
      firstErr += QString::fromUtf8(first.readAllStandardError());
    }
    return true;
  }

  void StartFirst() {
    first.setReadChannel(QProcess::StandardError);
    Start(first, {"--simulate", "--debug"});
    ASSERT_TRUE(WaitForLog("Single instance: listening on")) << firstErr.toStdString();
  }

  QTemporaryDir runtime;
  QProcessEnvironment env;
  QProcess first;
  QString firstErr;
  QString lastErr;
  rlim_t fileSizeLimit = 0;  // bytes a process started from now on may write to one file
};

TEST_F(InstanceProcessTest, LaterStartsHandOverAndEnd) {
  StartFirst();

  // A comma inside a parameter cannot be told from a separator: three items arrive.
  int code = -1;
  EXPECT_EQ(Run({"-PCALL", "1,2"}, &code), "");
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(WaitForLog("ExecuteParams: -PCALL,1,2")) << firstErr.toStdString();

  // The program's own switches never travel.
  Run({"--debug", "-ON"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(WaitForLog("ExecuteParams: -ON\n")) << firstErr.toStdString();

  Run({}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(WaitForLog("Single instance: restore the window"));
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(InstanceProcessTest, AStartWhileTheInstanceClosesRunsItsCommandOnce) {
  // A settings file this large keeps the closing instance busy saving for a while.
  QFile settings(runtime.filePath("zr4pcctrl.ini"));
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
  settings.write("[Padding]\r\n");
  for (int i = 0; i < 80000; ++i)
    settings.write(QString("Key%1=%2\r\n").arg(i).arg(QString(40, 'x')).toLatin1());
  settings.close();
  StartFirst();

  ASSERT_EQ(::kill(static_cast<pid_t>(first.processId()), SIGTERM), 0);
  QThread::msleep(10);
  QProcess later;
  later.setReadChannel(QProcess::StandardError);
  Start(later, {"--simulate", "--debug", "-VOL", "9"});
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  firstErr += QString::fromUtf8(first.readAllStandardError());
  // The later start either handed over or became the instance itself.
  QString laterErr;
  while (!laterErr.contains("listening on") && later.waitForReadyRead(kLimitMs))
    laterErr += QString::fromUtf8(later.readAllStandardError());
  const bool tookOver = later.state() == QProcess::Running;
  if (tookOver) later.terminate();
  later.waitForFinished(kLimitMs);
  laterErr += QString::fromUtf8(later.readAllStandardError());
  EXPECT_EQ(later.exitCode(), 0);
  EXPECT_EQ(firstErr.count("ExecuteParams: -VOL,9") + laterErr.count("ExecuteParams: -VOL,9"), 1)
      << (tookOver ? "took over" : "handed over") << "\n"
      << laterErr.toStdString();
}

// A save that takes longer than any limit of the later start: it waits for the closing instance
// as long as that one is alive and saving, then takes its place and runs its command once.
TEST_F(InstanceProcessTest, AStartDuringALongSaveWaitsForItAndTakesOver) {
  env.insert("ZR4PC_TEST_CLOSE_DELAY_MS", kLongSaveMs);
  StartFirst();
  env.remove("ZR4PC_TEST_CLOSE_DELAY_MS");
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  ASSERT_EQ(::kill(static_cast<pid_t>(first.processId()), SIGTERM), 0);
  ASSERT_TRUE(WaitForLog("Single instance: closing, no more requests"));
  QProcess later;
  later.setReadChannel(QProcess::StandardError);
  Start(later, {"--simulate", "--debug", "-VOL", "9"});
  QString laterErr;
  while (!laterErr.contains("listening on") && later.waitForReadyRead(kLimitMs))
    laterErr += QString::fromUtf8(later.readAllStandardError());
  EXPECT_EQ(later.state(), QProcess::Running) << laterErr.toStdString();
  EXPECT_TRUE(laterErr.contains("waiting for the closing instance to end"));
  EXPECT_TRUE(laterErr.contains("this start takes its place"));
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  EXPECT_EQ(first.exitCode(), 0);
  firstErr += QString::fromUtf8(first.readAllStandardError());
  later.terminate();
  later.waitForFinished(kLimitMs);
  laterErr += QString::fromUtf8(later.readAllStandardError());
  EXPECT_EQ(laterErr.count("ExecuteParams: -VOL,9"), 1);
  EXPECT_FALSE(firstErr.contains("ExecuteParams: -VOL,9"));
}

// "-EXIT" handed over runs the close and its long save before the answer: the later start waits
// for it and reports it done.
TEST_F(InstanceProcessTest, ExitHandedOverIsReportedDoneAfterALongSave) {
  env.insert("ZR4PC_TEST_CLOSE_DELAY_MS", kLongSaveMs);
  StartFirst();
  env.remove("ZR4PC_TEST_CLOSE_DELAY_MS");
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  int code = -1;
  Run({"-EXIT"}, &code);
  EXPECT_EQ(code, 0) << lastErr.toStdString();
  EXPECT_FALSE(lastErr.contains("not handed over")) << lastErr.toStdString();
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  EXPECT_EQ(first.exitCode(), 0);
}

// Stopped after it took "-EXIT" and began to close: the later start gives up, and says the request
// was taken (it did run), not that it was not handed over.
TEST_F(InstanceProcessTest, ARequestTakenByAnInstanceThatStopsIsNotCalledNotHandedOver) {
  env.insert("ZR4PC_TEST_CLOSE_DELAY_MS", kLongSaveMs);
  StartFirst();
  env.remove("ZR4PC_TEST_CLOSE_DELAY_MS");
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  QProcess later;
  Start(later, {"-EXIT"});
  ASSERT_TRUE(WaitForLog("Single instance: closing, no more requests"));
  const pid_t pid = static_cast<pid_t>(first.processId());
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  const bool ended = later.waitForFinished(kLimitMs);
  ::kill(pid, SIGCONT);
  ASSERT_TRUE(ended);
  EXPECT_EQ(later.exitCode(), 1);
  const QString laterErr = QString::fromUtf8(later.readAllStandardError());
  EXPECT_TRUE(laterErr.contains("the running instance took the request but did not finish it"))
      << laterErr.toStdString();
  EXPECT_FALSE(laterErr.contains("not handed over")) << laterErr.toStdString();
  EXPECT_TRUE(first.waitForFinished(kLimitMs));
}

// A closing instance that is stopped is no longer saving: the later start gives up after its
// limit and says its command was not handed over (nor does it run: the instance is closing).
TEST_F(InstanceProcessTest, AStartDuringTheCloseOfAStoppedInstanceFails) {
  env.insert("ZR4PC_TEST_CLOSE_DELAY_MS", kLongSaveMs);
  StartFirst();
  env.remove("ZR4PC_TEST_CLOSE_DELAY_MS");
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  const pid_t pid = static_cast<pid_t>(first.processId());
  ASSERT_EQ(::kill(pid, SIGTERM), 0);
  ASSERT_TRUE(WaitForLog("Single instance: closing, no more requests"));
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  int code = -1;
  Run({"-VOL", "9"}, &code);
  ::kill(pid, SIGCONT);
  EXPECT_EQ(code, 1);
  // Stopped just before or after its socket went: found silent either way.
  EXPECT_TRUE(lastErr.contains("does not answer")) << lastErr.toStdString();
  EXPECT_TRUE(lastErr.contains("the request was not handed over")) << lastErr.toStdString();
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  EXPECT_FALSE(QString::fromUtf8(first.readAllStandardError()).contains("ExecuteParams"));
}

// Stopped with its connection queue full: whatever is asked, the instance does not answer (it is
// not taken for missing, nor is the component read instead).
TEST_F(InstanceProcessTest, AStoppedInstanceWithAFullQueueDoesNotAnswer) {
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  StartFirst();
  const pid_t pid = static_cast<pid_t>(first.processId());
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = (runtime.path() + "/" + env.value("ZR4PC_INSTANCE_NAME")).toLocal8Bit();
  std::memcpy(address.sun_path, path.constData(), path.size() + 1);
  std::vector<int> waiting;
  bool full = false;
  while (!full && waiting.size() < 1000) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    full = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0;
    if (full)
      close(fd);
    else
      waiting.push_back(fd);
  }
  ASSERT_TRUE(full);
  int code = -1;
  Run({"--status"}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("the running instance does not answer")) << lastErr.toStdString();
  EXPECT_FALSE(lastErr.contains("USB")) << lastErr.toStdString();
  Run({"--sim-remote", "up"}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("the running instance does not answer")) << lastErr.toStdString();
  for (const int fd : waiting) close(fd);
  ::kill(pid, SIGCONT);
}

TEST_F(InstanceProcessTest, AStoppedInstanceIsReportedAndTheStartFails) {
  env.insert("ZR4PC_TEST_WAIT_MS", kShortWaitMs);
  StartFirst();
  const pid_t pid = static_cast<pid_t>(first.processId());
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  int code = -1;
  Run({"-VOL", "9"}, &code);
  ::kill(pid, SIGCONT);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("does not answer")) << lastErr.toStdString();
  // The request the stopped instance finds when it goes on was given up: it does not run.
  EXPECT_TRUE(WaitForLog("dropped a request whose sender has given up"));
  EXPECT_EQ(Run({"--status"}), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  EXPECT_FALSE(firstErr.contains("ExecuteParams"));
}

TEST_F(InstanceProcessTest, StatusComesFromTheRunningInstance) {
  StartFirst();
  // Without --simulate a reading of its own would find no component: the answer is the
  // running window's.
  int code = -1;
  EXPECT_EQ(Run({"--status"}, &code), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Run({"--status", "--json"}, &code),
            R"({"input":"FM","presetOrTrack":"01","frequencyOrTime":"80.00","unit":"MHz",)"
            R"("tuning":"Auto","playMode":"","mute":"","tone":"TONE","stationName":"",)"
            R"("tunerFrequency":"80.00","tunerUnit":"MHz","volume":22,"title":"ZR4PCCtrl",)"
            R"("simulated":true})");
  EXPECT_EQ(code, 0);
}

TEST_F(InstanceProcessTest, TheRunningInstanceTakesTheScreenshot) {
  StartFirst();
  int code = -1;
  // Relative to the later start's folder, not the instance's.
  const QString out = Run({"--screenshot", "window.png"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, "FM 01 80.00 MHz Auto TONE Vol.22\nSaved window picture to " +
                     runtime.filePath("window.png"));
  EXPECT_GT(QImage(runtime.filePath("window.png")).width(), 100);

  Run({"--screenshot", runtime.filePath("no/such/folder/x.png")}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("cannot save")) << lastErr.toStdString();
  EXPECT_EQ(first.state(), QProcess::Running);

  // A path the instance would not take is refused here, as too long.
  const QString tooLong = runtime.filePath(QString(4100, 'a') + ".png");
  Run({"--screenshot", tooLong}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("the path is too long")) << lastErr.toStdString();
  EXPECT_FALSE(lastErr.contains("does not answer")) << lastErr.toStdString();
}

// A picture goes only to a regular file or a new one, whole or not at all: a FIFO is refused at
// once (the running instance is not held up by it), a device that swallows or refuses the bytes
// is not reported as saved, and a disk that fills up leaves no part of a picture.
TEST_F(InstanceProcessTest, APictureThatCannotBeWrittenIsAFailureOnOneLine) {
  const QString fifo = runtime.filePath("fifo.png");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  int code = -1;
  for (const QString& target : {fifo, QString("/dev/full")}) {
    const QString out = Run({"--simulate", "--screenshot", target}, &code);
    EXPECT_EQ(code, 1) << target.toStdString();
    EXPECT_FALSE(out.contains("Saved")) << out.toStdString();
    EXPECT_TRUE(lastErr.contains("zr4pcctrl: cannot save " + target + ": not a regular file\n"))
        << lastErr.toStdString();
  }

  const QString picture = runtime.filePath("shot.png");
  fileSizeLimit = 4096;  // the settings file fits, the picture does not
  const QString out = Run({"--simulate", "--screenshot", picture}, &code);
  fileSizeLimit = 0;
  EXPECT_EQ(code, 1);
  EXPECT_FALSE(out.contains("Saved")) << out.toStdString();
  EXPECT_EQ(lastErr.count("cannot save"), 1);
  EXPECT_TRUE(lastErr.contains("zr4pcctrl: cannot save " + picture + ": File too large\n"))
      << lastErr.toStdString();
  EXPECT_TRUE(
      QDir(runtime.path()).entryList({"shot.png*"}, QDir::AllEntries | QDir::System).isEmpty());

  StartFirst();
  Run({"--screenshot", fifo}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("the running instance cannot save " + fifo + ": not a regular file"))
      << lastErr.toStdString();
  EXPECT_EQ(Run({"--status"}), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}

TEST_F(InstanceProcessTest, StatusWithoutInstanceReadsOnce) {
  int code = -1;
  EXPECT_EQ(Run({"--simulate", "--status"}, &code), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  EXPECT_EQ(code, 0);
  const QString json = Run({"--simulate", "--status", "--json"}, &code);
  EXPECT_TRUE(json.endsWith(R"("title":"ZR4PCCtrl","simulated":true})")) << json.toStdString();
  EXPECT_EQ(code, 0);
  // No component and no stand-in for a script.
  EXPECT_EQ(Run({"--status"}, &code), "");
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("該当するUSBデバイスが見つかりません。")) << lastErr.toStdString();
}

// The simulated component's remote, pressed from a later start: the running window sees the
// new volume at a following poll.
TEST_F(InstanceProcessTest, SimulatedRemoteKeysAndTheTitleReachTheRunningInstance) {
  int code = -1;
  Run({"--sim-remote", "up"}, &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(lastErr.contains("no running instance")) << lastErr.toStdString();
  Run({"--sim-remote", "left"}, &code);
  EXPECT_EQ(code, 2);

  StartFirst();
  Run({"--sim-remote", "up"}, &code);
  EXPECT_EQ(code, 0) << lastErr.toStdString();
  QString status;
  for (int tries = 0; tries < 100 && !status.contains("Vol.23"); ++tries) {
    QThread::msleep(100);
    status = Run({"--status"});
  }
  EXPECT_EQ(status, "FM 01 80.00 MHz Auto TONE Vol.23 | ZR4PCCtrl");
}

// "-EXIT" at the first start closes the window during start-up: the program saves and ends.
TEST_F(InstanceProcessTest, ExitOnTheFirstCommandLineEndsTheProgram) {
  int code = -1;
  Run({"--simulate", "-OFF", "-EXIT"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(QFile::exists(runtime.filePath("zr4pcctrl.ini")));
}

TEST_F(InstanceProcessTest, MalformedRequestsAreDroppedAndTheInstanceGoesOn) {
  StartFirst();
  QLocalSocket socket;
  socket.connectToServer(runtime.path() + "/" + env.value("ZR4PC_INSTANCE_NAME"));
  ASSERT_TRUE(socket.waitForConnected(kLimitMs));
  socket.write("ZR4PC/1 FORWARD 999\n");
  ASSERT_TRUE(socket.waitForBytesWritten(kLimitMs));
  EXPECT_TRUE(WaitForLog("Single instance: dropped a malformed request"));
  EXPECT_EQ(Run({"--status"}), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
}

// The processor time the process has used so far, in clock ticks.
long CpuTicks(qint64 pid) {
  QFile stat(QString("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(stat.readAll());
  // After the name in parentheses: state is field 3, utime and stime are fields 14 and 15.
  const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  return fields.value(11).toLong() + fields.value(12).toLong();
}

TEST_F(InstanceProcessTest, OutOfDescriptorsTheInstanceWaitsAndRecovers) {
  StartFirst();
  // Answered once with descriptors to spare (a sanitizer's run-time checks need some the first
  // time through).
  ASSERT_EQ(Run({"--status"}), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  const qint64 pid = first.processId();
  // Two descriptors more than it holds now: the third waiting connection finds none.
  const QDir fds(QString("/proc/%1/fd").arg(pid), {}, QDir::NoSort, QDir::Files | QDir::System);
  rlimit limit{};
  ASSERT_EQ(prlimit(static_cast<pid_t>(pid), RLIMIT_NOFILE, nullptr, &limit), 0);
  limit.rlim_cur = fds.count() + 2;
  ASSERT_EQ(prlimit(static_cast<pid_t>(pid), RLIMIT_NOFILE, &limit, nullptr), 0);
  std::vector<std::unique_ptr<QLocalSocket>> idle;
  for (int i = 0; i < 6; ++i) {
    idle.push_back(std::make_unique<QLocalSocket>());
    idle.back()->connectToServer(runtime.path() + "/" + env.value("ZR4PC_INSTANCE_NAME"));
    ASSERT_TRUE(idle.back()->waitForConnected(kLimitMs));
  }
  ASSERT_TRUE(WaitForLog("out of file descriptors")) << firstErr.toStdString();
  const long before = CpuTicks(pid);
  QThread::msleep(1000);
  EXPECT_LT(CpuTicks(pid) - before, sysconf(_SC_CLK_TCK) / 5) << "busy while out of descriptors";

  idle.clear();
  EXPECT_EQ(Run({"--status"}), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
}

TEST_F(InstanceProcessTest, SigtermClosesLikeTheWindow) {
  StartFirst();
  ASSERT_EQ(::kill(static_cast<pid_t>(first.processId()), SIGTERM), 0);
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  firstErr += QString::fromUtf8(first.readAllStandardError());
  EXPECT_TRUE(firstErr.contains("Signal 15: closing"));

  // The lock went with it: the next start is a first instance again.
  StartFirst();
}

TEST_F(InstanceProcessTest, SignalsDuringTeardownStillEndWithTheSave) {
  StartFirst();
  const pid_t pid = static_cast<pid_t>(first.processId());
  QElapsedTimer waited;
  waited.start();
  while (!first.waitForFinished(1) && waited.elapsed() < kLimitMs) ::kill(pid, SIGTERM);
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_TRUE(QFile::exists(runtime.filePath("zr4pcctrl.ini")));
}

// A closed terminal (SIGHUP) or SIGQUIT ends the program as SIGTERM does: "AutoOff" switches the
// component off and the settings are saved, also when another signal comes during the save.
TEST_F(InstanceProcessTest, HangupAndQuitCloseLikeTheWindowEvenDuringTheSave) {
  QFile settings(runtime.filePath("zr4pcctrl.ini"));
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
  settings.write("[Setting]\r\nAutoOff=1\r\n");
  settings.close();
  const QString trace = runtime.filePath("trace");
  env.insert("ZR4PC_SIM_TRACE", trace);
  env.insert("ZR4PC_TEST_CLOSE_DELAY_MS", kLongSaveMs);
  StartFirst();
  int code = -1;
  Run({"-APS", "7"}, &code);
  EXPECT_EQ(code, 0);
  ASSERT_TRUE(WaitForLog("ExecuteParams: -APS,7"));

  const pid_t pid = static_cast<pid_t>(first.processId());
  ASSERT_EQ(::kill(pid, SIGHUP), 0);
  ASSERT_TRUE(WaitForLog("Single instance: closing, no more requests")) << firstErr.toStdString();
  ASSERT_EQ(::kill(pid, SIGQUIT), 0);
  ASSERT_TRUE(first.waitForFinished(kLimitMs));
  firstErr += QString::fromUtf8(first.readAllStandardError());
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_TRUE(firstErr.contains("Signal 1: closing")) << firstErr.toStdString();
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  EXPECT_TRUE(settings.readAll().contains("A.P.S.Min=7\r\n"));
  QFile frames(trace);
  ASSERT_TRUE(frames.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = frames.readAll().split('\n');
  const auto powerOff = std::find_if(
      lines.rbegin(), lines.rend(), [](const QByteArray& line) { return line.startsWith("OUT "); });
  ASSERT_NE(powerOff, lines.rend());
  EXPECT_TRUE(powerOff->startsWith("OUT B8 02 06 80")) << powerOff->toStdString();
}

// A lock file that says "closing 1" (edited, or left behind) while something else holds its lock
// and no socket is there: pid 1 runs but is no instance, so the start does not wait for it.
TEST_F(InstanceProcessTest, AClosingMarkOfAProcessThatIsNoInstanceIsNotWaitedFor) {
  QFile lockFile(runtime.filePath(env.value("ZR4PC_INSTANCE_NAME") + ".lock"));
  ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
  lockFile.write("closing 1\n");
  lockFile.flush();
  ASSERT_EQ(flock(lockFile.handle(), LOCK_EX | LOCK_NB), 0);
  int code = -1;
  const QString out =
      Run({"--simulate", "--debug", "--screenshot", runtime.filePath("w.png")}, &code);
  EXPECT_EQ(code, 0) << lastErr.toStdString();
  EXPECT_TRUE(out.startsWith("FM 01 80.00")) << out.toStdString();
  EXPECT_TRUE(lastErr.contains("this start takes its place")) << lastErr.toStdString();
}

TEST_F(InstanceProcessTest, OddFilesInPlaceOfTheSettingsNeitherHangNorAreReplaced) {
  const QString settings = runtime.filePath("zr4pcctrl.ini");
  QFile leftover(settings + ".tmp-Ab12Cd");  // from a save that was killed halfway
  ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
  leftover.close();
  ASSERT_EQ(mkfifo(settings.toLocal8Bit().constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", runtime.filePath("ShortCut.ini")));
  int code = -1;
  const QString out = Run({"--simulate", "--screenshot", runtime.filePath("window.png")}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(out.startsWith("FM 01 80.00")) << out.toStdString();
  EXPECT_TRUE(lastErr.contains(settings + ": not a regular file")) << lastErr.toStdString();
  EXPECT_TRUE(QFileInfo(settings).isFile() == false && QFileInfo::exists(settings));
  EXPECT_EQ(QFileInfo(runtime.filePath("ShortCut.ini")).symLinkTarget(), "/dev/zero");
  EXPECT_FALSE(leftover.exists());
}

TEST_F(InstanceProcessTest, AnUnusableLockStillGivesAWindow) {
  ASSERT_TRUE(QDir(runtime.path()).mkdir(env.value("ZR4PC_INSTANCE_NAME") + ".lock"));
  int code = -1;
  const QString out = Run({"--simulate", "--screenshot", runtime.filePath("window.png")}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(out.startsWith("FM 01 80.00")) << out.toStdString();
  EXPECT_TRUE(lastErr.contains("running without single instance")) << lastErr.toStdString();
}

TEST_F(InstanceProcessTest, ScreenshotShowsTheStatusAndTracesTheLink) {
  const QString picture = runtime.filePath("window.png");
  const QString trace = runtime.filePath("trace.txt");
  env.insert("ZR4PC_SIM_TRACE", trace);
  int code = -1;
  const QString out = Run({"--simulate", "--screenshot", picture}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, "FM 01 80.00 MHz Auto TONE Vol.22\nSaved window picture to " + picture);
  const QImage image(picture);
  EXPECT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 100);

  QFile file(trace);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines[0].startsWith("IN ")) << lines[0].toStdString();
  EXPECT_EQ(lines[0].size(), 3 + 32 * 3);  // each byte: two digits and a space

  Run({"--simulate", "--screenshot", runtime.filePath("no/such/folder/x.png")}, &code);
  EXPECT_EQ(code, 1);
}

// Blocks of 2 x 2 pixels in the picture's `rows` x `columns` top-left corner whose pixels differ
// clearly: detail that a picture enlarged from half its size cannot have.
int SharpBlocks(const QImage& picture, int columns, int rows) {
  int sharp = 0;
  for (int y = 0; y + 1 < rows; y += 2)
    for (int x = 0; x + 1 < columns; x += 2) {
      int low = 255, high = 0;
      for (const QPoint p :
           {QPoint(x, y), QPoint(x + 1, y), QPoint(x, y + 1), QPoint(x + 1, y + 1)}) {
        const int gray = qGray(picture.pixel(p));
        low = std::min(low, gray);
        high = std::max(high, gray);
      }
      if (high - low >= 24) ++sharp;
    }
  return sharp;
}

// At QT_SCALE_FACTOR=2 the default skin is drawn from its 2x pictures: twice the size, the same
// outline, and the caption above the display ("ZR4PC DIGITAL AUDIO CONTROLLER") sharp.
TEST_F(InstanceProcessTest, AScreenshotAt200PercentIsSharpInTheSameOutline) {
  int code = -1;
  env.insert("QT_SCALE_FACTOR", "1");
  Run({"--simulate", "--screenshot", runtime.filePath("1x.png")}, &code);
  ASSERT_EQ(code, 0) << lastErr.toStdString();
  env.insert("QT_SCALE_FACTOR", "2");
  Run({"--simulate", "--screenshot", runtime.filePath("2x.png")}, &code);
  ASSERT_EQ(code, 0) << lastErr.toStdString();
  const QImage at1x(runtime.filePath("1x.png")), at2x(runtime.filePath("2x.png"));
  ASSERT_EQ(at2x.size(), at1x.size() * 2);
  int outlineMismatches = 0;
  for (int y = 0; y < at2x.height(); ++y)
    for (int x = 0; x < at2x.width(); ++x)
      if ((qAlpha(at2x.pixel(x, y)) == 0) != (qAlpha(at1x.pixel(x / 2, y / 2)) == 0))
        ++outlineMismatches;
  EXPECT_EQ(outlineMismatches, 0);
  const QImage enlarged = at1x.scaled(at2x.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const int band = at2x.height() / 10, half = at2x.width() / 2;
  EXPECT_EQ(SharpBlocks(enlarged, half, band), 0);
  EXPECT_GT(SharpBlocks(at2x, half, band), 30);
}

}  // namespace

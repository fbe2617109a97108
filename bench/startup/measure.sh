#!/usr/bin/env bash
# Measures, in one run on this machine, the controller's start-up to the first status shown and
# its peak memory against a bare Qt Widgets window built the same way, and the processor time
# it takes while idle with 200 ms polling, serving the desktop's media controls on a private
# session bus with a client (playerctl) following them. Both programs run offscreen on the
# simulated component. Usage: bench/startup/measure.sh [RUNS] [IDLE_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs="${1:-15}"
idle="${2:-10}"
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZR4_BUILD_BENCH=ON \
  -DZR4_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target zr4pcctrl zr4_bare_window >/dev/null
exec /usr/bin/python3 - "$build/src/shell/app/zr4pcctrl" "$build/bench/startup/zr4_bare_window" \
  "$runs" "$idle" <<'PYTHON'
import glob, os, statistics, subprocess, sys, tempfile, time

program, bare, runs, idle = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
work = tempfile.mkdtemp()
os.chmod(work, 0o700)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=work, ZR4PC_HOME=work,
           ZR4PC_INSTANCE_NAME="bench-%d" % os.getpid())
for name in ("ZR4PC_DEBUG", "ZR4PC_SIM_TRACE", "DBUS_SYSTEM_BUS_ADDRESS"):
    env.pop(name, None)

def start_to_exit(argv):
    """Wall time from start to exit (seconds) and peak resident memory (KiB) of one run."""
    begin = time.perf_counter()
    process = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - begin
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("%s failed with %d" % (argv[0], process.returncode))
    return elapsed, usage.ru_maxrss

picture = os.path.join(work, "window.png")
ours = [program, "--simulate", "--screenshot", picture]
theirs = [bare, "--screenshot", picture]
start_to_exit(ours), start_to_exit(theirs)  # warm the file cache
times = {"zr4pcctrl": [], "bare window": []}
peaks = {"zr4pcctrl": [], "bare window": []}
for _ in range(runs):
    for name, argv in (("zr4pcctrl", ours), ("bare window", theirs)):
        elapsed, peak = start_to_exit(argv)
        times[name].append(elapsed)
        peaks[name].append(peak)

def cpu_ns(pid):
    """Processor time of every thread of the process, in nanoseconds."""
    total = 0
    for stat in glob.glob("/proc/%d/task/*/schedstat" % pid):
        with open(stat) as f:
            total += int(f.read().split()[0])
    return total

# Remote gestures enabled in the settings file: the status is read every 200 ms.
with open(os.path.join(work, "zr4pcctrl.ini"), "w") as settings:
    settings.write("[RemoCon]\nEnable=1\n")
trace = os.path.join(work, "trace.txt")
bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                     capture_output=True, text=True, check=True).stdout.split()
idle_env = dict(env, ZR4PC_SIM_TRACE=trace, DBUS_SESSION_BUS_ADDRESS=bus[0])
process = subprocess.Popen([program, "--simulate"], env=idle_env, stdout=subprocess.DEVNULL)
time.sleep(2)  # let start-up settle
listener = subprocess.Popen(["playerctl", "-p", "zr4pcctrl", "--follow", "metadata"],
                            env=idle_env, stdout=subprocess.PIPE, text=True)
if not listener.stdout.readline():
    sys.exit("the media controls did not answer")
reads_before = sum(1 for line in open(trace) if line.startswith("IN "))
cpu_before, wall_before = cpu_ns(process.pid), time.perf_counter()
time.sleep(idle)
cpu_after, wall_after = cpu_ns(process.pid), time.perf_counter()
reads = sum(1 for line in open(trace) if line.startswith("IN ")) - reads_before
process.terminate()
process.wait()
listener.terminate()
os.kill(int(bus[1]), 15)
idle_share = 100.0 * (cpu_after - cpu_before) / ((wall_after - wall_before) * 1e9)

t_ours, t_bare = statistics.median(times["zr4pcctrl"]), statistics.median(times["bare window"])
m_ours, m_bare = statistics.median(peaks["zr4pcctrl"]), statistics.median(peaks["bare window"])
print("Start-up to first status shown (median of %d, offscreen, simulated component):" % runs)
print("  zr4pcctrl    %7.1f ms   peak RSS %7.1f MiB" % (t_ours * 1e3, m_ours / 1024))
print("  bare window  %7.1f ms   peak RSS %7.1f MiB" % (t_bare * 1e3, m_bare / 1024))
print("  start-up ratio %.2fx (target <= 2x)   %s" % (t_ours / t_bare,
      "ok" if t_ours / t_bare <= 2 else "OVER"))
print("  memory ratio   %.2fx (target <= 1.3x) %s" % (m_ours / m_bare,
      "ok" if m_ours / m_bare <= 1.3 else "OVER"))
print("Idle with 200 ms polling and a media-controls client over %.0f s (%d status reads):"
      % (wall_after - wall_before, reads))
print("  processor      %.3f%% of one core (target <= 0.3%%) %s" % (idle_share,
      "ok" if idle_share <= 0.3 else "OVER"))
PYTHON

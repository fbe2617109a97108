#!/usr/bin/env bash
# Measures, in one run on this machine, the controller with its real default skin against a bare
# Qt Widgets window of the same size built the same way: start-up to the first status shown (and
# exit), peak memory, and the processor time taken while idle with 200 ms polling (serving the
# desktop's media controls on a private session bus with a client, playerctl, following them)
# against the bare window with an empty 200 ms timer. Both run offscreen, the controller on the
# simulated component; start-up runs alternate and the two idle side by side, so that a change of
# load hits both. Prints each figure as
# a ratio with its goal and exits 1 when a goal is missed.
# Usage: bench/startup/measure.sh [RUNS] [IDLE_SECONDS]
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
import glob, os, shutil, statistics, subprocess, sys, tempfile, time

program, bare, runs, idle = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
work = tempfile.mkdtemp()
os.chmod(work, 0o700)
# The program folder holds the skins the build drew, as beside an installed program.
shutil.copytree(os.path.join(os.path.dirname(program), "skins"), os.path.join(work, "skins"))
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=work, ZR4PC_HOME=work,
           ZR4PC_INSTANCE_NAME="bench-%d" % os.getpid())
for name in ("ZR4PC_DEBUG", "ZR4PC_SIM_TRACE", "DBUS_SYSTEM_BUS_ADDRESS"):
    env.pop(name, None)

def start_to_exit(argv):
    """Wall time from start to exit (seconds) and peak resident memory (KiB) of one run."""
    begin = time.perf_counter()
    with tempfile.TemporaryFile() as errors:
        process = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=errors)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - begin
        process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            errors.seek(0)
            sys.exit("%s failed with %d: %s" % (argv[0], process.returncode,
                                                errors.read().decode(errors="replace")))
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

def count_lines(path, prefix):
    with open(path) as f:
        return sum(1 for line in f if line.startswith(prefix))

def idle_shares(ours_argv, bare_argv, extra_env):
    """Processor share of one core (percent) of the controller and of the bare window, idling side
    by side over the same idle seconds (so that the machine's load weighs on both alike), with a
    media-controls client following the controller."""
    ours = subprocess.Popen(ours_argv, env=dict(env, **extra_env), stdout=subprocess.DEVNULL)
    bare = subprocess.Popen(bare_argv, env=dict(env, **extra_env), stdout=subprocess.DEVNULL)
    time.sleep(2)  # let start-up settle
    listener = subprocess.Popen(["playerctl", "-p", "zr4pcctrl", "--follow", "metadata"],
                                env=dict(env, **extra_env), stdout=subprocess.PIPE, text=True)
    if not listener.stdout.readline():
        sys.exit("the media controls did not answer")
    before = cpu_ns(ours.pid), cpu_ns(bare.pid), time.perf_counter()
    time.sleep(idle)
    after = cpu_ns(ours.pid), cpu_ns(bare.pid), time.perf_counter()
    for process in (ours, bare, listener):
        process.terminate()
        process.wait()
    wall = (after[2] - before[2]) * 1e9
    return 100.0 * (after[0] - before[0]) / wall, 100.0 * (after[1] - before[1]) / wall

def status_reads(argv, extra_env, seconds):
    """Status reads the controller makes in `seconds`, counted on the simulated component's trace
    in a run of its own: writing the trace is the measurement's work, not the program's."""
    trace = os.path.join(work, "trace.txt")
    process = subprocess.Popen(argv, env=dict(env, ZR4PC_SIM_TRACE=trace, **extra_env),
                               stdout=subprocess.DEVNULL)
    time.sleep(2)
    before = count_lines(trace, "IN ")
    time.sleep(seconds)
    reads = count_lines(trace, "IN ") - before
    process.terminate()
    process.wait()
    return reads

# Remote gestures enabled in the settings file: the status is read every 200 ms.
with open(os.path.join(work, "zr4pcctrl.ini"), "w") as settings:
    settings.write("[RemoCon]\nEnable=1\n")
bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                     capture_output=True, text=True, check=True).stdout.split()
bus_env = {"DBUS_SESSION_BUS_ADDRESS": bus[0]}
reads_per_second = status_reads([program, "--simulate"], bus_env, 3) / 3
if reads_per_second < 4:
    sys.exit("the controller read the status %.1f times a second, not every 200 ms" % reads_per_second)
idle_ours, idle_bare = idle_shares([program, "--simulate"], [bare, "--idle"], bus_env)
os.kill(int(bus[1]), 15)

t_ours, t_bare = statistics.median(times["zr4pcctrl"]), statistics.median(times["bare window"])
m_ours, m_bare = statistics.median(peaks["zr4pcctrl"]), statistics.median(peaks["bare window"])
missed = []

def verdict(name, value, goal):
    if value > goal:
        missed.append(name)
        return "MISSED"
    return "ok"

print("Start-up to first status shown and exit (median of %d, offscreen, simulated component,"
      " default skin):" % runs)
print("  zr4pcctrl    %7.1f ms   peak RSS %7.1f MiB" % (t_ours * 1e3, m_ours / 1024))
print("  bare window  %7.1f ms   peak RSS %7.1f MiB" % (t_bare * 1e3, m_bare / 1024))
print("  start-up ratio %.2fx (goal <= 1.5x) %s" % (t_ours / t_bare,
      verdict("start-up", t_ours / t_bare, 1.5)))
print("  memory ratio   %.2fx (goal <= 1.3x) %s" % (m_ours / m_bare,
      verdict("memory", m_ours / m_bare, 1.3)))
print("Idle over the same %.0f s: zr4pcctrl with 200 ms polling (%.1f status reads a second) and a"
      " media-controls client, the bare window with an empty 200 ms timer:" % (idle, reads_per_second))
print("  zr4pcctrl      %.3f%% of one core (goal <= 0.1%%) %s" % (idle_ours,
      verdict("idle", idle_ours, 0.1)))
print("  bare window    %.3f%% of one core" % idle_bare)
ratio = idle_ours / idle_bare if idle_bare > 0 else float("inf")
print("  idle ratio     %.2fx (goal <= 1.2x) %s" % (ratio, verdict("idle ratio", ratio, 1.2)))
print("Load average: %.2f %.2f %.2f" % os.getloadavg())
shutil.rmtree(work, ignore_errors=True)
if missed:
    print("Goals missed: " + ", ".join(missed))
    sys.exit(1)
PYTHON

#!/usr/bin/env python3
"""Start-up figures: time from process start to the first window on screen,
and peak memory, for the application and for a minimal Qt Widgets program
that shows one window, measured side by side in one run.

Usage: startup_bench.py APPLICATION MINIMAL_PROGRAM [RUNS]

Both programs print a line starting with "shown" once their window is on
screen (the application, run as tesmora_probed, through its probe); the
application is then asked to close the window, the minimal program quits by
itself. Runs
alternate between the two, and the median of each is reported.
"""
import os
import statistics
import subprocess
import sys
import time

def one_run(command, close_line):
    env = dict(os.environ, TESMORA_TEST_PROBE="1")
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    start = time.perf_counter()
    process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=env, text=True)
    shown_after = None
    for line in process.stdout:
        if line.startswith("shown"):
            shown_after = time.perf_counter() - start
            if close_line:
                process.stdin.write(close_line + "\n")
                process.stdin.flush()
            break
    process.stdin.close()
    process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = status
    if shown_after is None:
        raise SystemExit(f"{command[0]} showed no window")
    return shown_after, usage.ru_maxrss  # seconds, KiB

def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    application, minimal = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    results = {"application": [], "minimal": []}
    for _ in range(runs):
        results["application"].append(one_run([application], "close AboutWnd.AboutWnd"))
        results["minimal"].append(one_run([minimal], None))

    medians = {}
    for name, samples in results.items():
        medians[name] = (statistics.median(s[0] for s in samples) * 1000,
                         statistics.median(s[1] for s in samples) / 1024)
        print(f"{name:12} first window after {medians[name][0]:7.1f} ms, peak memory {medians[name][1]:6.1f} MiB")
    app_time, app_memory = medians["application"]
    min_time, min_memory = medians["minimal"]
    print(f"ratio        time {app_time / min_time:.2f}, memory {app_memory / min_memory:.2f}")

if __name__ == "__main__":
    main()

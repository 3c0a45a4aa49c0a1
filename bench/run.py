#!/usr/bin/env python3
"""End-to-end benchmark: tavelin-sort against GNU sort, Python and a copy floor.

Every command sorts (or copies) a fresh copy of the same input file in place;
the copy is made before the clock starts. Each command gets one warm-up run
and then RUNS timed runs; the table gives medians, peak memory (maximum
resident set) as a multiple of the file size, and the ratios to tavelin-sort.
The per-stage figures come from the stages_bench micro-benchmarks.

    bench/run.py [--runs N] [--quick]     (make bench runs it)
"""

import argparse
import datetime
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NATIVE_BIN = os.path.join(REPO, "build", "native", "bin")
WINDOWS_BIN = os.path.join(REPO, "build", "windows", "bin")
DATA = os.path.join(REPO, "bench", "data")
RESULTS = os.path.join(REPO, "bench", "RESULTS.md")

INPUTS = [  # name, count, kind, seed
    ("random-1M", 1_000_000, "random", 1),
    ("random-10M", 10_000_000, "random", 2),
    ("small-10M", 10_000_000, "small", 3),
]


def commands(work):
    env_c = dict(os.environ, LC_ALL="C")
    return [
        ("tavelin-sort", [os.path.join(NATIVE_BIN, "tavelin-sort"), work], None),
        ("copy floor", [os.path.join(NATIVE_BIN, "copy_floor"), work], None),
        ("sort -n --parallel=1", ["sort", "-n", "--parallel=1", "-o", work, work], env_c),
        ("sort -n (2 cores)", ["sort", "-n", "-o", work, work], env_c),
        ("python sorted()", [sys.executable, os.path.join(REPO, "bench", "sort_with_python.py"), work], None),
    ]


def wine_command(work):
    wine = os.path.join(REPO, "scripts", "wine-run")
    return ("tavelin-sort.exe (Wine)", [wine, os.path.join(WINDOWS_BIN, "tavelin-sort.exe"), work], None)


def timed_run(source, work, argv, env):
    shutil.copyfile(source, work)
    os.sync()
    start = time.perf_counter()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"{argv[0]} failed with {status}")
    return elapsed, usage.ru_maxrss * 1024


def measure(source, work, argv, env, runs):
    timed_run(source, work, argv, env)  # warm-up
    samples = [timed_run(source, work, argv, env) for _ in range(runs)]
    return statistics.median(s[0] for s in samples), max(s[1] for s in samples)


def check_output(source, work):
    """The benchmark is only worth something if the output is right."""
    with open(source, "rb") as f:
        expected = sorted(int(line) for line in f.read().split(b"\r\n") if line)
    with open(work, "rb") as f:
        got = [int(line) for line in f.read().split(b"\r\n") if line]
    if got != expected:
        raise SystemExit(f"wrong output for {source}")


def stage_figures():
    out = subprocess.run([os.path.join(NATIVE_BIN, "stages_bench"), "--benchmark_format=json",
                          "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            figures[b["run_name"]] = b["ns/value"]
    return figures


def machine():
    model = "unknown"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{model}, {os.cpu_count()} cores, {platform.system()} {platform.release()}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--quick", action="store_true", help="only the 1M file, 2 runs (a smoke test)")
    args = parser.parse_args()
    runs = 2 if args.quick else args.runs
    inputs = INPUTS[:1] if args.quick else INPUTS

    os.makedirs(DATA, exist_ok=True)
    rows = []
    for name, count, kind, seed in inputs:
        source = os.path.join(DATA, name + ".txt")
        if not os.path.exists(source):
            subprocess.run([os.path.join(NATIVE_BIN, "make_numbers"), source, str(count), kind, str(seed)], check=True)
        size = os.path.getsize(source)
        work = os.path.join(DATA, "work.txt")
        todo = commands(work)
        if name == "random-10M" and os.path.exists(os.path.join(WINDOWS_BIN, "tavelin-sort.exe")):
            todo.append(wine_command(work))
        results = {}
        for label, argv, env in todo:
            print(f"{name}: {label} ...", file=sys.stderr, flush=True)
            results[label] = measure(source, work, argv, env, runs)
            if label != "copy floor":
                check_output(source, work)
        rows.append((name, count, size, results))

    figures = stage_figures()
    write_results(rows, figures, runs)
    print(open(RESULTS).read())


def write_results(rows, figures, runs):
    lines = [
        "# Benchmark results",
        "",
        f"Machine: {machine()}  ",
        f"Date: {datetime.date.today().isoformat()}  ",
        f"Runs: one warm-up and {runs} timed runs per command; medians of wall time; peak memory is the",
        "largest maximum resident set of the runs, as a multiple of the file size. Ratios are the",
        "command's time over tavelin-sort's (above 1: tavelin-sort is faster). tavelin-sort and the",
        "copy floor flush the file to disk before renaming it over the original; GNU sort does not.",
        "",
    ]
    for name, count, size, results in rows:
        ours = results["tavelin-sort"][0]
        lines += [f"## {name}: {count:,} values, {size / 2**20:.0f} MiB", "",
                  "| command | median s | ns/value | vs tavelin-sort | peak memory × file |",
                  "|---|---:|---:|---:|---:|"]
        for label, (seconds, peak) in results.items():
            lines.append(f"| {label} | {seconds:.3f} | {seconds * 1e9 / count:.1f} | {seconds / ours:.2f} | "
                         f"{peak / size:.2f} |")
        lines.append("")
    lines += ["## Stages (memory already touched, 10M values)", "", "| stage | ns/value |", "|---|---:|"]
    for stage, ns in figures.items():
        lines.append(f"| {stage} | {ns:.1f} |")
    lines.append("")
    with open(RESULTS, "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()

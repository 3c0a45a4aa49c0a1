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
import contextlib
import datetime
import json
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
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


WINE_LABEL = "tavelin-sort.exe (Wine)"
WINE_PREFIX = os.path.join(REPO, "build", "windows", "wineprefix")


def wine_command(work):
    wine = os.path.join(REPO, "scripts", "wine-run")
    return (WINE_LABEL, [wine, os.path.join(WINDOWS_BIN, "tavelin-sort.exe"), work], None)


@contextlib.contextmanager
def wine_session():
    """Wine's session (its server and the services it starts) kept up for all
    Wine runs, as on a desktop where Wine is in use. Without it every run
    would also pay the 2-3 s that starting a session takes."""
    env = dict(os.environ, WINEPREFIX=WINE_PREFIX)
    subprocess.run(["/usr/lib/wine/wineserver", "-p"], env=env, check=False)
    try:
        yield
    finally:
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=env, check=False)


def timed_run(source, work, argv, env):
    """Wall time and peak memory of one run. The peak comes from /usr/bin/time,
    a small process of its own: a child forked from this Python process would
    count the parent's pages in its maximum resident set."""
    shutil.copyfile(source, work)
    os.sync()
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        start = time.perf_counter()
        code = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + argv, env=env,
                              stdout=subprocess.DEVNULL).returncode
        elapsed = time.perf_counter() - start
        peak_kib = int(report.read().split()[-1])
    if code != 0:
        raise SystemExit(f"{argv[0]} failed with exit code {code}")
    return elapsed, peak_kib * 1024


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
            with wine_session() if label == WINE_LABEL else contextlib.nullcontext():
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
        "The Wine runs share one Wine session (its server and services kept up), as on a desktop",
        "where Wine is in use; starting a session adds 2-3 s to the first program.",
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
    lines += ["## Stages (10M values; read and write on a file in the page cache, the rest on memory already touched)",
              "", "| stage | ns/value |", "|---|---:|"]
    for stage, ns in figures.items():
        lines.append(f"| {stage} | {ns:.1f} |")
    lines += [""] + target_lines(rows, figures) + [""]
    kept = kept_sections()  # read before the file is opened for writing, which empties it
    with open(RESULTS, "w") as f:
        f.write("\n".join(lines) + kept)


def target_lines(rows, figures):
    """The goals we hold the sorter to, each with its measured figure."""
    by_name = {name: (count, size, results) for name, count, size, results in rows}
    if "random-10M" not in by_name:
        return []
    count, size, r = by_name["random-10M"]
    ours, peak = r["tavelin-sort"]
    checks = [
        ("end to end vs `sort -n --parallel=1`", r["sort -n --parallel=1"][0] / ours, ">= 16x", lambda v: v >= 16),
        ("end to end vs `sort -n` (2 cores)", r["sort -n (2 cores)"][0] / ours, ">= 11x", lambda v: v >= 11),
        ("time over the copy floor", ours / r["copy floor"][0], "<= 2x", lambda v: v <= 2),
        ("split+parse ns/value", figures.get("splitAndParse/random", 0), "<= 6", lambda v: v <= 6),
        ("sort ns/value", figures.get("sort/random", 0), "<= 15", lambda v: v <= 15),
        # The sorter formats runs into a small buffer and needs no exact length.
        ("format ns/value (as the sorter formats)", figures.get("format/random", 0), "<= 7", lambda v: v <= 7),
        ("peak memory MiB", peak / 2**20, f"<= {(size + 8 * count) / 2**20 + 16:.0f}",
         lambda v: v * 2**20 <= size + 8 * count + 16 * 2**20),
    ]
    if "random-1M" in by_name:
        count1, _, r1 = by_name["random-1M"]
        linear = (ours / count) / (r1["tavelin-sort"][0] / count1)
        checks.append(("ns/value on 10M over 1M", linear, "<= 1.3", lambda v: v <= 1.3))
    wine = r.get(WINE_LABEL)
    if wine:
        checks.append(("Wine: vs `sort -n --parallel=1`", r["sort -n --parallel=1"][0] / wine[0], ">= 8x",
                       lambda v: v >= 8))
    lines = ["## Goals (random-10M)", "", "| goal | measured | target | met |", "|---|---:|---:|---|"]
    for label, value, target, met in checks:
        lines.append(f"| {label} | {value:.2f} | {target} | {'yes' if met(value) else 'no'} |")
    return lines


def kept_sections():
    """Sections other tools write into RESULTS.md (the big-file run) stay."""
    try:
        old = open(RESULTS).read()
    except OSError:
        return ""
    match = re.search(r"^## Big file\n.*?(?=^## |\Z)", old, re.S | re.M)
    return "\n" + match.group(0).rstrip("\n") + "\n" if match else ""


if __name__ == "__main__":
    main()

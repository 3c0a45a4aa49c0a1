#!/usr/bin/env python3
"""A number file of more than 2 GiB sorted natively and under Wine.

    big_test.py --tool BIG_FILE --native PROGRAM --exe PROGRAM.exe --emulator WINE
                --folder DIR --results RESULTS.md [--count N] [--trial]

Each run sorts a fresh file made by `big_file make`, then `big_file check`
proves the result ascending, in the sorter's own form and a permutation of
what was written (same count, sum, xor and mixed sum). Time and peak memory
come from /usr/bin/time; the peak must stay within the file's size + 8 bytes
per value + 16 MiB. The figures replace the "## Big file" section of
RESULTS.md.
"""

import argparse
import datetime
import os
import platform
import re
import shutil
import subprocess
import sys
import tempfile

MiB = 1 << 20
GiB = 1 << 30
BYTES_PER_VALUE = 19.4  # what big_file make writes on average
HEADING = "## Big file"


def fail(message):
    sys.exit(f"test-big: {message}")


def timed(argv):
    """Runs argv under /usr/bin/time -v: (exit code, seconds, peak bytes)."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        code = subprocess.run(["/usr/bin/time", "-v", "-o", report.name] + argv, stdout=subprocess.DEVNULL).returncode
        text = report.read()
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1)) * 1024
    clock = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (?:(\d+):)?(\d+):([\d.]+)", text)
    seconds = int(clock.group(1) or 0) * 3600 + int(clock.group(2)) * 60 + float(clock.group(3))
    return code, seconds, peak


def summary(argv):
    out = subprocess.run(argv, capture_output=True, text=True)
    if out.returncode != 0:
        fail(f"{' '.join(argv)}: {out.stderr.strip()}")
    return out.stdout.split()


def memory_available():
    with open("/proc/meminfo") as f:
        return int(re.search(r"MemAvailable:\s+(\d+) kB", f.read()).group(1)) * 1024


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def sort_one(name, argv_of, args, path):
    started = datetime.datetime.now()
    made = summary([args.tool, "make", path, str(args.count), "7"])
    made_seconds = (datetime.datetime.now() - started).total_seconds()
    size = os.path.getsize(path)
    if size < 2 * GiB and not args.trial:
        fail(f"{path} holds {size} bytes, less than 2 GiB; raise --count")
    print(f"test-big: {name}: {args.count} values, {size} bytes, made in {made_seconds:.1f} s", flush=True)

    code, seconds, peak = timed(argv_of(path))
    if code != 0:
        fail(f"{name}: the sorter ended with exit code {code}")
    checked = summary([args.tool, "check", path])
    if checked != made:
        fail(f"{name}: the sorted file sums to {checked}, the written one to {made} (count sum xor mixed)")
    bound = size + 8 * args.count + 16 * MiB
    print(f"test-big: {name}: sorted and checked; {seconds:.1f} s, peak {peak / MiB:.0f} MiB, "
          f"bound {bound / MiB:.0f} MiB", flush=True)
    os.remove(path)
    return {"name": name, "size": size, "seconds": seconds, "peak": peak, "bound": bound}


def machine():
    model = platform.processor() or "unknown processor"
    try:
        with open("/proc/cpuinfo") as f:
            model = re.search(r"model name\s*:\s*(.*)", f.read()).group(1)
    except (OSError, AttributeError):
        pass
    memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / GiB
    return f"{model}, {os.cpu_count()} cores, {memory:.0f} GiB, Linux {platform.release()}"


def section(args, runs, wine_base):
    lines = [
        HEADING,
        "",
        f"`make test-big` on {datetime.date.today().isoformat()} ({machine()}): a file of "
        f"{args.count:,} values (random over the whole int64 range, one in eight below 1024, now and then a plus "
        "sign, leading zeros or an empty line; CR LF) sorted in place, then checked: every line a value in the "
        "sorter's form, ascending, and the same count, sum, xor and mixed sum as the values written. "
        "Peak memory is the maximum resident set of the process (`/usr/bin/time -v`); the bound is the file's "
        "size + 8 bytes per value + 16 MiB. Each time includes flushing the rewritten file to disk, and the machine "
        "was shared with other builds, so times vary from run to run.",
        "",
        "| run | file size | time | peak memory | bound | peak / file size |",
        "|---|---|---|---|---|---|",
    ]
    for r in runs:
        lines.append(f"| {r['name']} | {r['size'] / GiB:.2f} GiB | {r['seconds']:.1f} s | {r['peak'] / MiB:,.0f} MiB "
                     f"| {r['bound'] / MiB:,.0f} MiB | {r['peak'] / r['size']:.2f} |")
    lines += [
        "",
        f"Wine's own share of the peak under Wine, taken from `tavelin-sort.exe --version`: {wine_base / MiB:.0f} MiB; "
        "the sorter's part is the peak less that, and that part is held to the bound.",
        "",
    ]
    return "\n".join(lines)


def write_results(path, text):
    """Replaces the section under HEADING, up to the next heading of its level, or appends it."""
    old = open(path).read() if os.path.exists(path) else "# Benchmark results\n"
    pattern = re.compile(r"^## Big file\n.*?(?=^## |\Z)", re.S | re.M)
    if pattern.search(old):
        new = pattern.sub(lambda _: text + ("\n" if not text.endswith("\n\n") else ""), old, count=1)
    else:
        new = old.rstrip("\n") + "\n\n" + text
    with open(path, "w") as f:
        f.write(new.rstrip("\n") + "\n")


def main():
    parser = argparse.ArgumentParser()
    for option in ("--tool", "--native", "--exe", "--emulator", "--folder", "--results"):
        parser.add_argument(option, required=True)
    parser.add_argument("--count", type=int, default=125_000_000)
    parser.add_argument("--trial", action="store_true", help="a file below 2 GiB will do; no results written")
    args = parser.parse_args()

    os.makedirs(args.folder, exist_ok=True)
    estimate = int(args.count * BYTES_PER_VALUE)
    # The sorter writes the new file beside the old before it replaces it.
    needed = 2 * estimate + 256 * MiB
    free = shutil.disk_usage(args.folder).free
    if free < needed:
        fail(f"{args.folder} has {free / GiB:.1f} GiB free; the run needs {needed / GiB:.1f} GiB")
    bound = estimate + 8 * args.count + 16 * MiB
    if memory_available() < bound + GiB:
        fail(f"{memory_available() / GiB:.1f} GiB of memory available; the run needs about {bound / GiB:.1f} GiB")

    path = os.path.join(args.folder, "numbers.txt")
    try:
        runs = [sort_one("tavelin-sort (native)", lambda p: [args.native, p], args, path)]
        code, _, wine_base = timed([args.emulator, args.exe, "--version"])
        if code != 0:
            fail(f"{args.exe} --version ended with exit code {code}")
        runs.append(sort_one("tavelin-sort.exe (Wine)", lambda p: [args.emulator, args.exe, windows_path(p)],
                             args, path))
    finally:
        if os.path.exists(path):
            os.remove(path)

    if not args.trial:
        write_results(args.results, section(args, runs, wine_base))
        print(f"test-big: results in {args.results}")
    else:
        print(section(args, runs, wine_base))
    over = [r["name"] for r in runs
            if r["peak"] - (wine_base if "Wine" in r["name"] else 0) > r["bound"]]
    if over:
        fail(f"peak memory above the bound: {', '.join(over)}")


if __name__ == "__main__":
    main()

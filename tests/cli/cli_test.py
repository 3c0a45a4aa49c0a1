#!/usr/bin/env python3
"""tavelin-sort as a whole process: arguments, exit codes, messages, files.

    cli_test.py --program PATH [--emulator WINE] [--version V] [unittest args]

With --emulator the program is a Windows build run under Wine: paths are
handed over as Z: paths, and a small tmpfs is mapped to a drive for the
full-disk case.
"""

import argparse
import contextlib
import fcntl
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None
EMULATOR = None
VERSION = None


def windows():
    return bool(EMULATOR)


def system_path(path):
    """`path` (a Unix path) as the program takes it."""
    if not windows():
        return path
    return "Z:" + path.replace("/", "\\")


def run(*args, limit_memory=None):
    argv = ([EMULATOR] if windows() else []) + [PROGRAM] + list(args)

    def limit():
        if limit_memory:
            resource.setrlimit(resource.RLIMIT_AS, (limit_memory, limit_memory))

    result = subprocess.run(argv, capture_output=True, timeout=120, preexec_fn=limit)
    if windows():  # text-mode streams end their lines in CR LF there
        result.stdout = result.stdout.replace(b"\r\n", b"\n")
        result.stderr = result.stderr.replace(b"\r\n", b"\n")
    return result


def nb(notation):
    """Bytes from the notation of the core tests: CR, LF, SP, NUL, 0xHH, else text."""
    names = {"CR": b"\r", "LF": b"\n", "SP": b" ", "NUL": b"\0"}
    out = b""
    for token in notation.split():
        if token in names:
            out += names[token]
        elif len(token) == 4 and token.startswith("0x"):
            out += bytes([int(token[2:], 16)])
        else:
            out += token.encode()
    return out


class Folder:
    """A fresh folder for one case; its listing shows any leftover file."""

    def __init__(self, base=None):
        self.path = tempfile.mkdtemp(prefix="tavelin-cli-", dir=base)

    def file(self, name, content=None):
        path = os.path.join(self.path, name)
        if content is not None:
            with open(path, "wb") as f:
                f.write(content)
        return path

    def entries(self):
        return sorted(os.listdir(self.path))

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def content_of(path):
    with open(path, "rb") as f:
        return f.read()


def failure_line(path, reason):
    return b"tavelin-sort: " + system_path(path).encode() + b": " + reason + b"; the file was not changed\n"


class Case(unittest.TestCase):
    def setUp(self):
        self.folder = Folder()
        self.addCleanup(self.folder.remove)


class Options(Case):
    def test_help_goes_to_standard_output(self):
        for args in (["--help"], ["--help", "a.txt"], ["a.txt", "--help"]):
            with self.subTest(args=args):
                result = run(*args)
                self.assertEqual(result.returncode, 0)
                self.assertIn(b"Usage: tavelin-sort", result.stdout)
                self.assertIn(b"--version", result.stdout)
                self.assertEqual(result.stderr, b"")

    def test_version_is_the_project_version(self):
        result = run("--version")
        self.assertEqual((result.returncode, result.stdout.strip()), (0, b"tavelin-sort " + VERSION.encode()))

    def test_usage_errors_change_no_file(self):
        original = nb("2 CR LF 1")
        path = self.folder.file("a.txt", original)
        cases = [
            ([], b"no file named"),
            (["--bogus", path], b"unknown option '--bogus'"),
            ([path, "-x"], b"unknown option '-x'"),
            ([path, ""], b"an empty file name"),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                result = run(*[system_path(a) if a == path else a for a in args])
                self.assertEqual(result.returncode, 2)
                self.assertIn(message, result.stderr)
                self.assertIn(b"--help", result.stderr)
                self.assertEqual(result.stdout, b"")
                self.assertEqual(content_of(path), original)

    def test_double_dash_ends_the_options(self):
        path = self.folder.file("-x", nb("2 CR LF 1"))
        self.addCleanup(os.chdir, os.getcwd())
        os.chdir(self.folder.path)
        result = run("--", "-x")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(content_of(path), nb("1 CR LF 2 CR LF"))
        result = run("--", "--help")
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"tavelin-sort: --help: cannot read the file", result.stderr)


EDGE_CASES = [  # (file, sorted file)
    ("3 CR LF 1 CR LF 2", "1 CR LF 2 CR LF 3 CR LF"),
    ("5 CR LF CR LF CR LF 4", "4 CR LF 5 CR LF"),
    ("2 CR LF 1 CR LF 2 CR LF", "1 CR LF 2 CR LF 2 CR LF"),
    ("10 CR LF -3 CR LF 0", "-3 CR LF 0 CR LF 10 CR LF"),
    ("+7 CR LF 007", "7 CR LF 7 CR LF"),
    ("abc", "0 CR LF"),
    ("SP SP CR LF 1", "0 CR LF 1 CR LF"),
    ("3 LF 1 LF 2 LF", "1 CR LF 2 CR LF 3 CR LF"),
    ("0xA3 0xB2 CR LF 0xA3 0xAD 0xA3 0xB1", "-1 CR LF 2 CR LF"),
    ("", ""),
    ("0xEF 0xBB 0xBF 3 CR LF 1", "1 CR LF 3 CR LF"),
    ("2 CR LF 0xEF 0xBB 0xBF 1", "0 CR LF 2 CR LF"),
]


class EdgeCases(Case):
    def test_each_file_is_sorted_in_place_silently(self):
        for before, after in EDGE_CASES:
            with self.subTest(file=before):
                path = self.folder.file("numbers.txt", nb(before))
                result = run(system_path(path))
                self.assertEqual((result.returncode, result.stdout, result.stderr), (0, b"", b""))
                self.assertEqual(content_of(path), nb(after))
                self.assertEqual(self.folder.entries(), ["numbers.txt"])

    def test_a_failure_does_not_stop_the_others(self):
        first = self.folder.file("first.txt", nb("2 CR LF 1"))
        missing = self.folder.file("missing.txt")
        last = self.folder.file("last.txt", nb("9 CR LF 8"))
        result = run(system_path(first), system_path(missing), system_path(last))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, failure_line(missing, b"cannot read the file: no such file or folder"))
        self.assertEqual(content_of(first), nb("1 CR LF 2 CR LF"))
        self.assertEqual(content_of(last), nb("8 CR LF 9 CR LF"))

    def test_a_name_with_a_backslash_trail_byte(self):
        # Under Wine the UTF-8 name 誠 reaches the program as GBK D5 5C.
        name = "誠.txt" if windows() else b"\xd5\\.txt".decode(errors="surrogateescape")
        path = self.folder.file(name, nb("2 CR LF 1"))
        result = run(system_path(path))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(content_of(path), nb("1 CR LF 2 CR LF"))
        self.assertEqual(self.folder.entries(), [name])


class Failures(Case):
    """Each failure: one line on standard error, exit code 1, the file as it was."""

    ORIGINAL = nb("3 CR LF 1 CR LF 2")

    def check(self, path, reason, original=ORIGINAL):
        before = self.folder.entries()
        result = run(system_path(path))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr, failure_line(path, reason))
        if os.path.isfile(path):
            self.assertEqual(content_of(path), original)
        self.assertEqual(self.folder.entries(), before)

    def test_files_that_cannot_be_read(self):
        cases = [
            ("missing.txt", b"cannot read the file: no such file or folder"),
            (os.path.join("missing", "a.txt"), b"cannot read the file: no such file or folder"),
            ("folder", b"cannot read the file: not a regular file"),
        ]
        os.mkdir(self.folder.file("folder"))
        for name, reason in cases:
            with self.subTest(name=name):
                self.check(self.folder.file(name), reason)

    def test_a_file_that_is_not_text(self):
        for content in (nb("2 CR LF 1 NUL 3"), nb("0xFF 0xFE 2 NUL CR NUL LF NUL")):
            with self.subTest(content=content):
                path = self.folder.file("numbers.txt", content)
                self.check(path, b"not a text file (it holds a NUL byte)", content)

    def test_a_read_only_file(self):
        # The tests run as root in CI: the write bits must still count. Wine
        # shows the read-only attribute only when no write bit is left.
        for mode in (0o444,) if windows() else (0o444, 0o466):
            with self.subTest(mode=oct(mode)):
                path = self.folder.file("numbers.txt", self.ORIGINAL)
                os.chmod(path, mode)
                self.check(path, b"cannot write the file: the file is read-only")
                os.chmod(path, 0o644)

    def test_a_file_another_program_holds(self):
        if windows():
            self.skipTest("flock is not Wine's share mode; the core tests hold files under Wine")
        cases = [
            (fcntl.LOCK_SH, b"cannot write the file: the file is in use by another program"),
            (fcntl.LOCK_EX, b"cannot read the file: the file is in use by another program"),
        ]
        for lock, reason in cases:
            with self.subTest(lock=lock):
                path = self.folder.file("numbers.txt", self.ORIGINAL)
                with open(path, "rb") as holder:
                    fcntl.flock(holder, lock)
                    self.check(path, reason)

    def test_a_link_to_a_device(self):
        if windows():
            self.skipTest("a POSIX device")
        path = self.folder.file("numbers.txt")
        os.symlink("/dev/full", path)
        self.check(path, b"cannot read the file: not a regular file")
        self.assertFalse([n for n in os.listdir("/dev") if n.startswith(".tavelin-")])


class FullDisk(unittest.TestCase):
    """A real full disk: a tiny tmpfs (a Wine drive under Wine)."""

    DRIVE = "t:"

    def setUp(self):
        self.mount = tempfile.mkdtemp(prefix="tavelin-disk-")
        self.addCleanup(os.rmdir, self.mount)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", self.mount],
                                 capture_output=True)
        if mounted.returncode != 0:
            self.skipTest("cannot mount a tmpfs here: " + mounted.stderr.decode(errors="replace").strip())
        self.addCleanup(subprocess.run, ["umount", self.mount], check=True)
        if windows():
            prefix = os.environ.get("WINEPREFIX") or os.path.join(
                os.path.dirname(os.path.dirname(os.path.abspath(EMULATOR))), "build", "windows", "wineprefix")
            self.link = os.path.join(prefix, "dosdevices", self.DRIVE)
            with contextlib.suppress(FileNotFoundError):
                os.remove(self.link)
            os.symlink(self.mount, self.link)
            self.addCleanup(os.remove, self.link)

    def path(self, name):
        if windows():
            return self.DRIVE.upper() + "\\" + name
        return os.path.join(self.mount, name)

    def test_the_original_survives_a_full_disk(self):
        original = b"".join(b"%d\r\n" % (1000000 - i) for i in range(4000))  # about 31 KB
        numbers = os.path.join(self.mount, "numbers.txt")
        with open(numbers, "wb") as f:
            f.write(original)
        # Fill the rest but for a few pages: too little for the new file.
        filler = os.path.join(self.mount, "filler")
        with open(filler, "wb", buffering=0) as f:
            with contextlib.suppress(OSError):
                while True:
                    f.write(b"x" * 4096)
        os.truncate(filler, max(0, os.path.getsize(filler) - 8192))

        result = run(self.path("numbers.txt"))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, b"tavelin-sort: " + self.path("numbers.txt").encode() +
                         b": cannot write the file: the disk is full; the file was not changed\n")
        self.assertEqual(content_of(numbers), original)
        self.assertEqual(sorted(os.listdir(self.mount)), ["filler", "numbers.txt"])


class OutOfMemory(Case):
    """Exit code 3 and the allocation named; the file as it was, the rest not tried."""

    LIMIT = 160 << 20

    def setUp(self):
        if windows():
            self.skipTest("the address space is limited with setrlimit")
        super().setUp()

    def check(self, path, allocation):
        def signature():  # the same file, not written: cheaper than reading 1 GiB
            info = os.stat(path)
            return info.st_ino, info.st_size, info.st_mtime_ns

        original = signature()
        later = self.folder.file("later.txt", nb("2 CR LF 1"))
        result = run(path, later, limit_memory=self.LIMIT)
        self.assertEqual(result.returncode, 3, result.stderr)
        self.assertRegex(result.stderr, b"^tavelin-sort: " + path.encode() +
                         b": out of memory: cannot allocate [0-9]+ bytes for " + allocation +
                         b"; the file was not changed\n$")
        self.assertEqual(signature(), original)
        self.assertEqual(content_of(later), nb("2 CR LF 1"))

    def test_the_file_contents(self):
        path = self.folder.file("huge.txt")
        with open(path, "wb") as f:
            f.truncate(1 << 30)  # sparse: takes no room
        self.check(path, b"the file contents")

    def test_the_number_list(self):
        # 48 MB of text fit; its 24 million values (192 MB) do not.
        path = self.folder.file("many.txt", b"1\n" * (24 << 20))
        self.check(path, b"the number list")


def main():
    global PROGRAM, EMULATOR, VERSION
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("--version", default="")
    options, rest = parser.parse_known_args()
    PROGRAM, EMULATOR, VERSION = os.path.abspath(options.program), options.emulator, options.version
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()

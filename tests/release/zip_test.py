#!/usr/bin/env python3
"""The release zip holds exactly the given files, at its top, byte for byte.

    zip_test.py ZIP FILE...
"""

import os
import sys
import zipfile


def problems(archive, files):
    expected = {os.path.basename(f): f for f in files}
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
        if sorted(names) != sorted(expected):
            yield f"holds {sorted(names)}, not {sorted(expected)}"
            return
        bad = z.testzip()
        if bad is not None:
            yield f"{bad} is damaged"
        for name, path in expected.items():
            with open(path, "rb") as f:
                if z.read(name) != f.read():
                    yield f"{name} differs from {path}"


def main():
    archive, *files = sys.argv[1:]
    found = list(problems(archive, files))
    for p in found:
        print(f"zip_test: {archive}: {p}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

"""The Python reference point: read, sorted(), write, as a script would."""
import sys

path = sys.argv[1]
with open(path, "rb") as f:
    values = sorted(int(line) for line in f.read().split(b"\r\n") if line)
with open(path, "wb") as f:
    f.write(b"".join(b"%d\r\n" % v for v in values))

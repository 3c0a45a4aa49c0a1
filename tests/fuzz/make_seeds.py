#!/usr/bin/env python3
"""Writes the seed corpus: small number files made from the rule tables."""
import os

SEEDS = {
    "empty": b"",
    "three-lines": b"3\r\n1\r\n2",
    "empty-lines": b"5\r\n\r\n\r\n4\r\n",
    "duplicates": b"2\r\n1\r\n2\r\n",
    "signed": b"10\r\n-3\r\n0\r\n",
    "canonical": b"+7\r\n007\r\n",
    "letters-and-spaces": b"abc\r\n   \r\n\t\r 8\r\n",
    "lf-and-cr": b"1\n2\n3\r4\r\r\n5",
    "nul": b"12\x0034\r\n5",
    "utf16": b"\xff\xfe1\x00\r\x00\n\x00",
    "bom": b"\xef\xbb\xbf1\r\n2\r\n",
    "full-width": b"\xa3\xb1\xa3\xb2\xa3\xb3\r\n\xa3\xad\xa3\xb4\xa3\xb2\r\n\xa1\xa1\xa3\xb5\r\n1\xa3\xb23",
    "two-byte-before-cr": b"1\xb0\r\n2\r\n\xd2\xbb\r\n2",
    "lead-byte-last": b"7\r\n\xa3",
    "extremes": b"9223372036854775807\r\n9223372036854775808\r\n-9223372036854775808\r\n"
                b"18446744073709551615\r\n-18446744073709551615\r\n18446744073709551616\r\n99999999999999999999\r\n",
    "junk-after-numbers": b"- 5\r\n+-5\r\n1 2\r\n12.9\r\n1,234\r\n1e5\r\n0x1F\r\n",
    "long-plain-lines": b"".join(b"%d\r\n" % ((i * 7919) ** 3 % 10**19 - 5 * 10**18) for i in range(200)),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(here, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)

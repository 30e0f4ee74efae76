#!/usr/bin/env python3
"""Compares two output trees file by file, byte for byte.

Usage: compare_trees.py EXPECTED_DIR ACTUAL_DIR

Every file must exist in both trees with the same bytes. A difference is
shown with its first differing offset and the bytes around it. Prints
"N passed, N failed" (one per file); exits 1 on any difference or when the
trees hold no file at all.
"""

import os
import sys


def files_under(root):
    found = set()
    for directory, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(directory, name), root))
    return found


def first_difference(left, right):
    for offset, (a, b) in enumerate(zip(left, right)):
        if a != b:
            return offset
    return min(len(left), len(right))


def around(data, offset):
    return data[max(0, offset - 8):offset + 8].hex(" ")


def main(arguments):
    if len(arguments) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    expected_root, actual_root = arguments
    expected, actual = files_under(expected_root), files_under(actual_root)
    passed = failed = 0
    for name in sorted(expected | actual):
        if name not in actual or name not in expected:
            print("[FAIL] %s: only in %s" % (name, expected_root if name in expected else actual_root))
            failed += 1
            continue
        with open(os.path.join(expected_root, name), "rb") as a, \
                open(os.path.join(actual_root, name), "rb") as b:
            left, right = a.read(), b.read()
        if left == right:
            passed += 1
            continue
        offset = first_difference(left, right)
        print("[FAIL] %s: %d and %d bytes, first difference at offset %d\n"
              "    expected: %s\n    actual:   %s"
              % (name, len(left), len(right), offset, around(left, offset), around(right, offset)))
        failed += 1
    if passed + failed == 0:
        print("[FAIL] no files to compare")
        failed = 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

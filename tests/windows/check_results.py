"""The report of the image and archive checks: one line per check, then
"N passed, N failed"; the exit status is 1 when a check failed."""


def report(results):
    """Prints `results`, pairs of (passed, what was checked); returns the exit status."""
    for ok, what in results:
        print("%s %s" % ("[ ok ]" if ok else "[FAIL]", what))
    failed = sum(1 for ok, _ in results if not ok)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0

#!/usr/bin/env python3
"""Builds the release archive from a Windows build, unpacks it and runs
varnek.exe from it under Wine (the caller sets up WINEPREFIX and the rest).

Usage: release_test.py WINDOWS_BUILD_DIR

The archive must hold VARNEK.DLL, varnek.exe and the two install notes in
one folder; the Japanese note in CP932 with CR LF line ends, both naming
the three most common commands; and the unpacked varnek.exe must find the
VARNEK.DLL beside it. Prints one line per check and "N passed, N failed";
exits 1 when a check failed.
"""

import os
import re
import subprocess
import sys
import tempfile
import zipfile

from check_results import report

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
COMMANDS = ("varnek list mylog.dbs", "varnek convert mylog.dbs for-lotw.adi",
            "varnek convert wsjtx_log.adi mylog-ft8.dbs")


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        return re.search(r"project\(\s*\w+\s+VERSION\s+([0-9.]+)", cmake.read()).group(1)


def check(build):
    results = []

    def expect(ok, what):
        results.append((bool(ok), what))

    name = "varnek-%s-win32" % project_version()
    with tempfile.TemporaryDirectory() as work:
        made = subprocess.run([os.path.join(ROOT, "scripts", "release"), "--from", build,
                               "--dist", work], capture_output=True, text=True)
        expect(made.returncode == 0, "scripts/release makes the archive%s"
               % ("" if made.returncode == 0 else ":\n" + made.stdout + made.stderr))
        archive = os.path.join(work, name + ".zip")
        if not os.path.exists(archive):
            return results
        with zipfile.ZipFile(archive) as unpacking:
            names = sorted(unpacking.namelist())
            unpacking.extractall(os.path.join(work, "unpacked"))
        expected = sorted(name + "/" + file for file in
                          ("VARNEK.DLL", "varnek.exe", "README-ja.txt", "README-en.txt"))
        expect(names == expected, "it holds %s (%s)" % (", ".join(expected), ", ".join(names)))
        folder = os.path.join(work, "unpacked", name)
        for note, encoding in (("README-ja.txt", "cp932"), ("README-en.txt", "ascii")):
            with open(os.path.join(folder, note), "rb") as file:
                data = file.read()
            try:
                text = data.decode(encoding)
            except UnicodeDecodeError as error:
                expect(False, "%s is %s: %s" % (note, encoding, error))
                continue
            expect(data.count(b"\n") == data.count(b"\r\n") > 0, "%s ends its lines in CR LF" % note)
            missing = [command for command in COMMANDS if command not in text]
            expect(not missing, "%s shows the three commands%s"
                   % (note, "" if not missing else " (lacks %s)" % ", ".join(missing)))
        with open(os.path.join(folder, "README-ja.txt"), "rb") as file:
            japanese = file.read().decode("cp932")
        expect(any("\u3040" <= c <= "\u30ff" for c in japanese), "README-ja.txt is Japanese")

        # From the unpacked folder, in another working directory.
        info = subprocess.run(["wine", os.path.join(folder, "varnek.exe"), "--utf8", "info"],
                              capture_output=True, cwd=work, timeout=120)
        out = info.stdout.decode("utf-8", "replace")
        expect(info.returncode == 0, "varnek.exe info succeeds (%d: %s)"
               % (info.returncode, info.stderr.decode("utf-8", "replace").strip()))
        plugin = re.search(r"^Plug-in:  (.*)$", out, re.M)
        expect(plugin and plugin.group(1).replace("\\", "/").lower().endswith(
            ("unpacked/%s/VARNEK.DLL" % name).lower()),
            "it loads the VARNEK.DLL beside it (%s)" % (plugin.group(1) if plugin else out))
        expect("Version:  Varnek Version %s" % project_version() in out, "it shows the version")
        expect("経由でログを読みこむ" in out, "it shows the menu caption in Japanese")
    return results


def main(arguments):
    if len(arguments) != 1:
        print(__doc__.strip().splitlines()[3], file=sys.stderr)
        return 2
    results = check(os.path.abspath(arguments[0]))
    return report(results)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

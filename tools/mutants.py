#!/usr/bin/env python3
"""Puts each deliberate fault of tools/mutants.tsv into the sources, one at a time, and says which
test catches it.

The faults go into a copy of the source tree under build/mutants/src, never into the checkout:
the copy is brought up to date with the checkout at the start of every run (so an interrupted run
leaves nothing behind), and each faulty file is put back as it was before the next fault. Each
library's faults are built in a build folder of its own without the windows (build/mutants/core,
build/mutants/distance), every other folder's in one with them (build/mutants/windows),
incrementally, and tested with the ctest label of their top folder; the club/ library's faults
also run the club_ui and results tests, which test it through the document and the races.

    tools/mutants.py [--faults tools/mutants.tsv] [--only PATTERN]

--only puts in just the faults whose names match the regular expression PATTERN (for example
--only 'results:'), so that one folder's faults can be tried without building the others.

Prints one line a fault: its name, then the first tests that failed, or NOT CAUGHT. Exits with 1
unless every fault is caught.
"""

import argparse
import filecmp
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "mutants"
SOURCE = WORK / "src"
UNESCAPES = {"n": "\n", "t": "\t", "\\": "\\"}


def unescape(text):
    return re.sub(r"\\(.)", lambda m: UNESCAPES.get(m.group(1), "\\" + m.group(1)), text)


def read_faults(path):
    faults = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        columns = line.split("\t")
        if len(columns) != 4:
            raise SystemExit(f"{path}:{number}: want 4 tab-separated columns, found {len(columns)}")
        name, file, search, replacement = columns
        faults.append((name, file, unescape(search), unescape(replacement)))
    return faults


def sync_copy():
    """Makes build/mutants/src hold the checkout's files, rewriting only those that differ so
    that the builds stay incremental."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            cwd=ROOT, check=True, capture_output=True).stdout  # fmt: skip
    for name in filter(None, listed.decode().split("\0")):
        source, copy = ROOT / name, SOURCE / name
        if not source.is_file():
            continue
        if copy.is_file() and filecmp.cmp(source, copy, shallow=False):
            continue
        copy.parent.mkdir(parents=True, exist_ok=True)
        # A new time on the copy, not the checkout's: a file changed since the last run may be
        # older than the objects built from it then, and the build would not see it.
        shutil.copy(source, copy)


# The folders whose tests need no window: built without Qt, which is quicker. Every other folder's
# faults are built with the windows, so that each is tested rather than called survived unseen.
LIBRARIES = {"core", "distance"}
# The tests a folder's faults run, where more than its own label's: the club library is tested
# through the document (club_ui) and the race results it keeps (results) too.
TESTED_BY = {"club": "^club|^results$"}


def configure(label):
    build = WORK / (label if label in LIBRARIES else "windows")
    if not (build / "CMakeCache.txt").exists():
        options = ["-DCMAKE_BUILD_TYPE=Debug", "-DVC_WARNINGS_AS_ERRORS=OFF",
                   "-DVC_PACKAGING_TESTS=OFF", f"-DVC_BUILD_UI={'OFF' if label in LIBRARIES else 'ON'}"]  # fmt: skip
        subprocess.run(["cmake", "-S", SOURCE, "-B", build] + options, check=True,
                       stdout=subprocess.DEVNULL)  # fmt: skip
    return build


def build_and_test(build, label):
    """Builds incrementally and runs the label's tests: None when the build fails, else the
    names of the tests that failed."""
    made = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True, text=True)
    if made.returncode != 0:
        sys.stderr.write(made.stdout[-3000:] + made.stderr[-3000:])
        return None
    tested = subprocess.run(["ctest", "-L", TESTED_BY.get(label, f"^{label}$"), "-j2", "--timeout", "300"], cwd=build,
                            capture_output=True, text=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))  # fmt: skip
    if "No tests were found" in tested.stdout + tested.stderr:
        raise SystemExit(f"no test carries the label {label}: its faults would go unseen")
    failures = tested.stdout.partition("The following tests FAILED:")[2]
    return re.findall(r"^\s*\d+ - (\S+)", failures, flags=re.MULTILINE)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--faults", type=pathlib.Path, default=ROOT / "tools" / "mutants.tsv")
    parser.add_argument("--only", metavar="PATTERN", help="only the faults whose names match")
    arguments = parser.parse_args()
    faults = read_faults(arguments.faults)
    if arguments.only:
        faults = [fault for fault in faults if re.search(arguments.only, fault[0])]
        if not faults:
            raise SystemExit(f"no fault's name matches {arguments.only!r}")
    started = time.monotonic()
    SOURCE.mkdir(parents=True, exist_ok=True)
    sync_copy()

    builds = {}
    for label in sorted({file.split("/")[0] for _, file, _, _ in faults}):
        builds[label] = configure(label)
        failed = build_and_test(builds[label], label)
        if failed != []:
            raise SystemExit(f"the {label} tests do not pass without a fault: {failed}")

    results = []
    for name, file, search, replacement in faults:
        path = SOURCE / file
        original = path.read_text(encoding="utf-8")
        if original.count(search) != 1:
            results.append((name, f"NOT APPLIED: the text occurs {original.count(search)} times in {file}"))
            continue
        try:
            path.write_text(original.replace(search, replacement), encoding="utf-8")
            label = file.split("/")[0]
            failed = build_and_test(builds[label], label)
        finally:
            path.write_text(original, encoding="utf-8")
        if failed is None:
            results.append((name, "BUILD FAILED"))
        elif failed:
            more = f" (+{len(failed) - 2} more)" if len(failed) > 2 else ""
            results.append((name, ", ".join(failed[:2]) + more))
        else:
            results.append((name, "NOT CAUGHT"))
        print(f"  {name}: {results[-1][1]}", file=sys.stderr, flush=True)

    width = max(len(name) for name, _ in results + [("fault", "")])
    print(f"{'fault':<{width}}  caught by")
    for name, verdict in results:
        print(f"{name:<{width}}  {verdict}")
    print(f"{len(results)} faults in {time.monotonic() - started:.0f} s")
    caught = all(not v.startswith(("NOT", "BUILD")) for _, v in results)
    return 0 if caught else 1


if __name__ == "__main__":
    sys.exit(main())

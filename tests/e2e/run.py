#!/usr/bin/python3
"""Runs one end-to-end scenario on a virtual desktop of its own.

    run.py --bin BUILD/bin FILE.py NAME

NAME is a function `scenario_NAME(d)` in FILE.py; d is the started Desktop. The scenario fails
when it raises, when zyntra ends on a signal, or when a zyntra it started is still running after
it. Screenshots and the program's output are kept in the scenario's folder on failure.
"""

import argparse
import runpy
import os
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the scenario's folder")
    parser.add_argument("file")
    parser.add_argument("name")
    args = parser.parse_args()

    scenario = runpy.run_path(args.file)["scenario_" + args.name]

    source = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    d = desktop.Desktop(os.path.abspath(args.bin), source, args.name)
    failed = False
    try:
        d.start()
        scenario(d)
    except Exception:
        failed = True
        traceback.print_exc()
        try:
            d.screenshot("failure.ppm")
            print(f"screenshot: {os.path.join(d.root, 'failure.ppm')}")
        except Exception:
            pass
    problems = d.stop()
    for program in d.programs:
        status = program.popen.returncode
        if status is not None and status < 0:
            problems.append(f"zyntra (pid {program.pid}) was killed by signal {-status}")
    for problem in problems:
        print("FAIL:", problem)
    if failed or problems:
        for i, program in enumerate(d.programs):
            print(f"--- zyntra output ({i}) ---\n{program.log()}")
        print(f"scenario folder kept: {d.root}")
        return 1
    if not args.keep:
        d.cleanup()
    print(f"scenario {args.name}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes ui/MainWindow.ui from the form modules of this folder.

    python3 ui/form/generate.py            write the form
    python3 ui/form/generate.py --check    exit 1 if the committed form differs
    python3 ui/form/generate.py --contract FILE
                                           write the form's contract (JSON) for its test
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source tree free of caches

import contract  # noqa: E402
import frame  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare with the committed form instead of writing")
    parser.add_argument("--contract", metavar="FILE", help="write the contract the form test reads instead")
    parser.add_argument("--output", default=os.path.normpath(os.path.join(HERE, "..", "MainWindow.ui")))
    args = parser.parse_args()

    form = frame.main_window()
    text = form.xml()
    if args.contract:
        with open(args.contract, "w", encoding="utf-8", newline="\n") as f:
            f.write(contract.contract(form))
        return 0
    # The window itself is not a member of the form object.
    summary = "%d named objects, %d spacers" % (form.named_objects - 1, form.spacers)

    if args.check:
        try:
            with open(args.output, encoding="utf-8") as f:
                committed = f.read()
        except OSError as error:
            print("cannot read %s: %s" % (args.output, error), file=sys.stderr)
            return 1
        if committed != text:
            print("%s is out of date: run python3 ui/form/generate.py" % args.output, file=sys.stderr)
            return 1
        print("%s is up to date (%s)" % (args.output, summary))
        return 0

    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    print("wrote %s (%s)" % (args.output, summary))
    return 0


if __name__ == "__main__":
    sys.exit(main())

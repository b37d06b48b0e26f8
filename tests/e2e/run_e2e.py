"""Runs the end-to-end cases of the named test modules (e.g. test_startup) and fails when
none ran, so a module that lost its cases does not pass unnoticed."""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


def main(names):
    if not names:
        print("usage: run_e2e.py TEST_MODULE...", file=sys.stderr)
        return 2
    suite = unittest.defaultTestLoader.loadTestsFromNames(names)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    if result.testsRun == 0:
        print("no end-to-end case ran", file=sys.stderr)
        return 1
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""Runs the end-to-end cases of the named test modules (e.g. test_startup) and fails when
none ran, so a module that lost its cases does not pass unnoticed."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

if __name__ == "__main__":
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(
        unittest.defaultTestLoader.loadTestsFromNames(sys.argv[1:]))
    sys.exit(0 if result.testsRun and result.wasSuccessful() else 1)

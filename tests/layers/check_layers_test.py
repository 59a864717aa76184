#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/check-layers on the real core/ and on copies of it with one fault
planted each: it passes the tree as it is and fails each copy, naming the
file and line of the fault."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SCRIPT = os.path.join(ROOT, "scripts", "check-layers")
CORE = os.path.join(ROOT, "core")


def run_check(core):
    return subprocess.run([sys.executable, SCRIPT, core], capture_output=True, text=True)


class CheckLayers(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.core = os.path.join(self.work, "core")
        shutil.copytree(CORE, self.core)

    def tearDown(self):
        shutil.rmtree(self.work)

    def plant(self, relative, line):
        path = os.path.join(self.core, relative)
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        # After the file's own first include, so that the line number is known.
        at = next(i for i, text in enumerate(lines) if text.startswith("#include")) + 1
        lines.insert(at, line)
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        return at + 1

    def test_the_tree_as_it_is_passes(self):
        result = run_check(CORE)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")

    def test_a_lower_layer_including_a_higher_one_fails(self):
        cases = [
            ("platform/Text.cpp", "settings/SettingsStore.h"),
            ("tags/TagFile.cpp", "app/Workbench.h"),
            ("session/RenamingContext.h", "rename/FileInfoLoader.h"),
            ("rename/SmartEngine.cpp", "tools/Tools.h"),
            ("tools/TagEditor.cpp", "app/SaveAndUndo.h"),
        ]
        for relative, higher in cases:
            with self.subTest(relative=relative):
                shutil.rmtree(self.core)
                shutil.copytree(CORE, self.core)
                line = self.plant(relative, f'#include "{higher}"')
                result = run_check(self.core)
                self.assertEqual(result.returncode, 1)
                self.assertIn(f"{relative}:{line}: ", result.stderr)
                self.assertIn(f"includes {higher} of the higher", result.stderr)

    def test_an_include_of_the_same_or_a_lower_layer_passes(self):
        self.plant("tools/TagEditor.cpp", '#include "tools/Tools.h"')
        self.plant("app/Clashes.cpp", '#include "platform/Text.h"')
        result = run_check(self.core)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_an_include_cycle_inside_a_layer_fails(self):
        self.plant("tags/TagFile.h", '#include "tags/TagEdit.h"')
        self.plant("tags/TagEdit.h", '#include "tags/TagFile.h"')
        result = run_check(self.core)
        self.assertEqual(result.returncode, 1)
        self.assertIn("include cycle: ", result.stderr)
        self.assertIn("tags/TagFile.h", result.stderr)

    def test_a_folder_outside_the_layers_fails(self):
        os.mkdir(os.path.join(self.core, "extra"))
        with open(os.path.join(self.core, "extra", "Loose.h"), "w") as f:
            f.write("#pragma once\n")
        result = run_check(self.core)
        self.assertEqual(result.returncode, 1)
        self.assertIn("extra/Loose.h: not in a layer", result.stderr)


if __name__ == "__main__":
    unittest.main()

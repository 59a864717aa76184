#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The gates of `make test`, each failing on a planted fault: formatting and lint on
copies of parts of the tree, the sanitizers on SanitizerProbe.cpp as their build
builds and runs it.   gates_test.py BUILD_DIR FormatGate LintGate | SanitizerGate"""
import json, os, re, shutil, subprocess, sys, tempfile, unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def run(*command):
    return subprocess.run(command, capture_output=True, text=True)


class Gate(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.work)

    def copy(self, *parts):
        for part in parts:
            source, target = os.path.join(ROOT, part), os.path.join(self.work, part)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            (shutil.copytree if os.path.isdir(source) else shutil.copy2)(source, target)

    def plant(self, relative, pattern, replacement):
        """Rewrites the first match of `pattern`; returns the line it starts on."""
        with open(os.path.join(self.work, relative), "r+", encoding="utf-8") as f:
            text = f.read()
            found = re.search(pattern, text, re.MULTILINE)
            f.seek(0)
            f.write(text[: found.start()] + found.expand(replacement) + text[found.end():])
            f.truncate()
        return text.count("\n", 0, found.start()) + 1


class FormatGate(Gate):
    def test_a_formatting_slip_fails(self):
        self.copy(".clang-format", "scripts/format", "fuzz")
        check = [os.path.join(self.work, "scripts", "format"), "--check", self.work]
        self.assertEqual(run(*check).returncode, 0)
        line = self.plant("fuzz/ReplayMain.cpp", r"for \(int i = ", r"for (int i=")
        result = run(*check)
        self.assertEqual(result.returncode, 1)
        self.assertIn(f"fuzz/ReplayMain.cpp:{line}:", result.stderr)


class LintGate(Gate):
    def test_a_missing_brace_fails(self):
        relative, build = "core/platform/Text.cpp", os.path.join(self.work, "build")
        self.copy(".clang-tidy", "scripts/lint", "scripts/check-layers", "core")
        with open(os.path.join(BUILD, "compile_commands.json"), encoding="utf-8") as f:
            entry = next(e for e in json.load(f) if e["file"] == os.path.join(ROOT, relative))
        os.mkdir(build)  # the file's own compile command, on the copy
        with open(os.path.join(build, "compile_commands.json"), "w", encoding="utf-8") as f:
            f.write(json.dumps([entry]).replace(BUILD, build).replace(ROOT + "/", self.work + "/"))
        line = self.plant(relative, r"^( *if \(.*\)) \{\n( *.*;)\n *\}$", r"\1\n\2")
        result = run(os.path.join(self.work, "scripts", "lint"), build)
        self.assertEqual(result.returncode, 1)
        self.assertIn(f"{relative}:{line}:", result.stdout)
        self.assertIn("[readability-braces-around-statements", result.stdout)


class SanitizerGate(Gate):
    def test_each_planted_fault_fails_with_its_report(self):
        probe = os.path.join(BUILD, "tests", "sanitizer-probe")
        self.assertEqual(run(probe).returncode, 0)
        for fault, report in [("heap-overflow", "AddressSanitizer: heap-buffer-overflow"),
                              ("signed-overflow", "runtime error: signed integer overflow"),
                              ("leak", "LeakSanitizer: detected memory leaks")]:
            with self.subTest(fault=fault):
                result = run(probe, fault)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(report, result.stderr)
                self.assertNotIn("the probe ran", result.stdout)  # the report stopped it


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main()

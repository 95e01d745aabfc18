#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""check_layers.py on a small tree: it must pass a tree that keeps its table
and name each kind of break, or the real check could pass by reading nothing."""
import contextlib
import io
import json
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_layers  # noqa: E402

TABLE = {
    "libraries": [
        {"name": "varnex_base", "dirs": ["src/base"], "includes": ["base/"], "uses": [], "window": False, "qt": False},
        {"name": "varnex_top", "dirs": ["src/top"], "includes": ["top/", "base/"], "uses": ["varnex_base"],
         "window": False, "qt": False},
    ],
    "programs": [{"name": "tool", "main": "src/top/main.cpp", "includes": ["top/", "base/"], "uses": ["varnex_top"],
                  "window": False, "qt": True}],
}
README = """## Layout

| folder | library | what is in it | may use |
|---|---|---|---|
| `src/base` | `varnex_base` | the bottom | nothing of ours |
| `src/top` | `varnex_top` | the top | base (a note) |
| `tests` | | tests | |
"""


class CheckLayersTest(unittest.TestCase):
    def run_check(self, files, readme=README):
        with tempfile.TemporaryDirectory() as tmp:
            root = pathlib.Path(tmp)
            (root / "cmake").mkdir()
            (root / "cmake/layers.json").write_text(json.dumps(TABLE))
            (root / "README.md").write_text(readme)
            for rel, text in files.items():
                (root / rel).parent.mkdir(parents=True, exist_ok=True)
                (root / rel).write_text(text)
            out = io.StringIO()
            with contextlib.redirect_stdout(out):
                status = check_layers.main([tmp])
            return status, out.getvalue()

    def test_a_tree_that_keeps_the_table_passes(self):
        status, out = self.run_check({"src/top/a.cpp": '#include "base/b.h"\n',
                                      "src/top/main.cpp": "#include <QApplication>\n",
                                      "tests/t.cpp": '#include "anything/x.h"\n'})
        self.assertEqual((status, out.count("\n")), (0, 1), out)

    def test_each_break_is_named(self):
        cases = {
            "an include below its layer's prefixes": ({"src/base/b.cpp": '#include "top/a.h"\n'}, README,
                                                      'src/base/b.cpp: includes "top/a.h"'),
            "Qt outside a Qt entry": ({"src/top/a.cpp": "#include <QWidget>\n"}, README, "includes Qt (<QWidget>)"),
            "a library missing from the README": ({}, README.replace("`varnex_top`", "`varnex_up`"),
                                                  "no row for varnex_top"),
            "a README row in another folder": ({}, README.replace("`src/top`", "`src/up`"), "folders ['src/top']"),
            "a README row with other uses": ({}, README.replace("base (a note)", "base, system"),
                                             "row of varnex_top should say"),
        }
        for case, (files, readme, message) in cases.items():
            with self.subTest(case):
                status, out = self.run_check(files, readme)
                self.assertEqual(status, 1, out)
                self.assertIn(message, out)


if __name__ == "__main__":
    unittest.main()

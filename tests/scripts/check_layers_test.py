#!/usr/bin/env python3
"""scripts/check-layers on a small tree: clean it passes; each kind of crossing fails it."""
import pathlib
import subprocess
import sys
import tempfile

checker = sys.argv[1]
tree = {
    "src/low/CMakeLists.txt": "# may include: nothing else\n",
    "src/low/low.h": "#include <vector>\n",
    "src/high/CMakeLists.txt": "# may include: low/\n# may include Qt: window.cpp, window.h\n",
    "src/high/high.h": '#include "low/low.h"\n',
    "src/high/window.h": "#include <QWidget>\n",
    "src/high/window.cpp": '#include "window.h"\n#include "ui_MAIN.h"\n',
    "src/high/model.cpp": '#include "high.h"\n#include <low/low.h>\n#include "../low/low.h"\n',
}
# (what is changed, a file and its new text; what the checker must say)
rows = [
    (None, None, None),
    ("src/low/a.cpp", '#include "high/high.h"\n', 'includes "high/high.h"'),
    ("src/low/a.cpp", "#include <high/high.h>\n", 'includes "high/high.h"'),
    ("src/low/a.cpp", '#include "../high/high.h"\n', 'includes "../high/high.h"'),
    ("src/low/a.cpp", '#include "../../tests/x.h"\n', "outside src/"),
    ("src/low/CMakeLists.txt", "# may include: high/\n", "cycle: high/ -> low/ -> high/"),
    ("src/low/CMakeLists.txt", "# may include: middle/\n", "names nothing under src/"),
    ("src/high/model.cpp", "#include <QtCore/QObject>\n", "model.cpp: includes Qt;"),
    ("src/high/model.cpp", '#include "window.h"\n', "model.cpp: includes Qt through line 1"),
    ("src/low/a.cpp", '#include "ui_MAIN.h"\n', "a.cpp: includes Qt;"),
]
failed = 0
for changed, text, expected in rows:
    with tempfile.TemporaryDirectory() as root:
        for name, content in {**tree, **({changed: text} if changed else {})}.items():
            path = pathlib.Path(root, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(content)
        run = subprocess.run([sys.executable, checker, root], capture_output=True, text=True)
        ok = run.returncode == 0 if expected is None else run.returncode == 1 and expected in run.stderr
        if not ok:
            failed += 1
            print(f"FAIL {changed}: expected {expected!r}, got {run.returncode}: {run.stderr}")
print(f"{len(rows) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)

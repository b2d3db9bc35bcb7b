#!/usr/bin/python3
"""Holds the layers of the source tree: which folder may include which.

    platform, text                      alone
    data          <- platform, text
    masterdata    <- data               (core of partners, products, code lists)
    documents     <- masterdata, data
    taxrecords    <- documents, masterdata, data
    calc          <- data
    reports       <- every core folder and engine
    engine        <- text               (Qt and libHaru only, never the database)
    widgets       <- data, text, platform
    <folder>/ui   <- widgets, every core folder, engine and the other ui folders
    app           <- everything but main.cpp
    main.cpp, tools/ and tests/app may include app/; nothing else may.

The core folders and engine never include QtWidgets.  Run without arguments to check the
tree; --self-test shows that a forbidden include is found.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)

CORE = {"platform", "text", "data", "masterdata", "documents", "taxrecords", "calc", "reports"}
ALLOWED = {
    "platform": {"platform"},
    "text": {"text"},
    "data": {"data", "platform", "text"},
    "masterdata": {"masterdata", "data", "platform", "text"},
    "documents": {"documents", "masterdata", "data", "platform", "text"},
    "taxrecords": {"taxrecords", "documents", "masterdata", "data", "platform", "text"},
    "calc": {"calc", "data", "platform", "text"},
    "reports": CORE | {"engine"},
    "engine": {"engine", "text"},
    "widgets": {"widgets", "data", "platform", "text"},
}


def qt_widgets_headers():
    names = set()
    for folder in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets", "/usr/include/qt6/QtWidgets"):
        if os.path.isdir(folder):
            names.update(os.listdir(folder))
    names.add("QtWidgets")
    return names


def layer_of(path):
    """The layer of a source file given relative to src/, or None for main.cpp."""
    parts = path.split("/")
    if len(parts) == 1:
        return None
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def included_layer(include):
    parts = include.split("/")
    if len(parts) < 2:
        return None
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def allowed(layer, target):
    if layer is None or layer == "app":
        return True
    if target == "app":
        return False
    if layer.endswith("/ui"):
        return target in ALLOWED or target == "engine" or target.endswith("/ui")
    return target in ALLOWED.get(layer, set())


def check_source(files, widgets_headers):
    """files: path relative to src/ -> list of (kind, include).  Returns the faults."""
    known = set(ALLOWED) | {"app"} | {layer_of(p) for p in files if layer_of(p)}
    faults = []
    for path, includes in sorted(files.items()):
        layer = layer_of(path)
        for kind, include in includes:
            if kind == "<":
                header = include.split("/")[0]
                if (layer in CORE or layer == "engine") and header in widgets_headers:
                    faults.append(f"src/{path}: a core file includes the QtWidgets header <{include}>")
                continue
            target = included_layer(include)
            if target is None or target not in known:
                continue
            if not allowed(layer, target):
                faults.append(f"src/{path}: the layer {layer} may not include {include}")
    return faults


def check_tests(files):
    faults = []
    for path, includes in sorted(files.items()):
        if path.startswith("app/"):
            continue
        for kind, include in includes:
            if kind == '"' and include.startswith("app/"):
                faults.append(f"tests/{path}: only the main window's tests may include {include}")
    return faults


def read_tree(top):
    files = {}
    for folder, _, names in os.walk(top):
        for name in names:
            if name.endswith((".h", ".cpp")):
                full = os.path.join(folder, name)
                with open(full, encoding="utf-8") as source:
                    files[os.path.relpath(full, top)] = INCLUDE.findall(source.read())
    return files


def self_test(widgets_headers):
    sources = read_tree(os.path.join(ROOT, "src"))
    sources["masterdata/ui/injected.cpp"] = [('"', "app/fmain.h")]
    sources["data/injected.cpp"] = [("<", "QWidget")]
    sources["engine/injected.cpp"] = [('"', "data/db_api.h")]
    faults = check_source(sources, widgets_headers)
    expected = ["masterdata/ui/injected.cpp", "data/injected.cpp", "engine/injected.cpp"]
    missing = [name for name in expected if not any(name in fault for fault in faults)]
    if missing:
        print("check_layers: not found: " + ", ".join(missing))
        return 1
    print("check_layers: every injected fault was found")
    return 0


def main():
    widgets_headers = qt_widgets_headers()
    if "--self-test" in sys.argv[1:]:
        return self_test(widgets_headers)
    faults = check_source(read_tree(os.path.join(ROOT, "src")), widgets_headers)
    faults += check_tests(read_tree(os.path.join(ROOT, "tests")))
    for fault in faults:
        print(fault)
    if faults:
        print(f"check_layers: {len(faults)} include(s) cross the layers")
        return 1
    print("check_layers: every include keeps to its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())

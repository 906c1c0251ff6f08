#!/usr/bin/env python3
"""Prints the include graph's circles and layering faults; exits 1 when there is any.

Reads the #include "..." lines of src/ and tools/ (paths relative to src/ or to the including
file's folder). Reports:
  - every circle between files (each once, as a path a -> b -> ... -> a), a header and its
    source file counting as one: a.cpp including b.h while b.cpp includes a.h is a circle;
  - a toolkit-free core file (lower-case name under src/) that includes a wx header or a
    window class (a header named after its C... class);
  - a file of a lower layer that includes one of a higher layer.
Usage: scripts/include_graph.py [--graph]   (--graph also prints every edge)
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')

# Lower numbers sit lower; a folder may include its own and lower folders only. The command
# layer (cli/) sits on the core and under the programs (tools/), which sit above everything.
LAYERS = {"common": 0, "records": 1, "ui": 1, "engine": 2, "reports": 2, "setup": 3,
          "browser": 3, "screen": 4, "tournament": 5, "predict": 5,
          "shell": 6, "cli": 7, "tools": 9}
# Folders of one layer that must not include each other.
APART = {frozenset({"engine", "reports"})}


def sources():
    for top in ("src", "tools"):
        for folder, _, names in os.walk(os.path.join(ROOT, top)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(folder, name), ROOT)


def resolve(including, target):
    for base in (os.path.dirname(including), "src"):
        candidate = os.path.normpath(os.path.join(base, target))
        if os.path.isfile(os.path.join(ROOT, candidate)):
            return candidate
    return None


def folder_of(path):
    parts = path.split(os.sep)
    return parts[1] if parts[0] == "src" and len(parts) > 2 else parts[0]


def is_core(path):
    return path.startswith("src" + os.sep) and not os.path.basename(path)[0].isupper()


def main():
    graph = {}
    faults = []
    for path in sources():
        edges = graph.setdefault(path, [])
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as text:
            for line in text:
                match = INCLUDE.match(line)
                if not match:
                    continue
                bracket, target = match.groups()
                if is_core(path) and (target.startswith("wx/") or
                                      os.path.basename(target)[0] == "C"):
                    faults.append(f"core file includes a window class or wx: {path} -> {target}")
                if bracket != '"':
                    continue
                found = resolve(path, target)
                if found is None:
                    continue
                edges.append(found)
                low, high = folder_of(found), folder_of(path)
                if low == high:
                    continue
                if frozenset({low, high}) in APART:
                    faults.append(f"{high}/ and {low}/ must not include each other: {path} -> {found}")
                elif LAYERS.get(low, 9) > LAYERS.get(high, 9):
                    faults.append(f"lower layer includes a higher one: {path} -> {found}")

    if "--graph" in sys.argv:
        for path in sorted(graph):
            for target in graph[path]:
                print(f"{path} -> {target}")

    # Circles between units: a header and the source file of the same name are one unit, so a
    # circle that runs through source files (the classes needing each other) is found too.
    units = {}
    for path, targets in graph.items():
        edges = units.setdefault(os.path.splitext(path)[0], [])
        for target in targets:
            unit = os.path.splitext(target)[0]
            if unit != os.path.splitext(path)[0] and unit not in edges:
                edges.append(unit)

    # Circles: a depth-first search that reports each back edge's circle once.
    circles = set()
    state = {}
    stack = []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for nxt in units.get(node, []):
            if state.get(nxt) == 1:
                circle = stack[stack.index(nxt):]
                start = circle.index(min(circle))
                circles.add(tuple(circle[start:] + circle[:start]))
            elif state.get(nxt) is None:
                visit(nxt)
        stack.pop()
        state[node] = 2

    sys.setrecursionlimit(10000)
    for node in sorted(units):
        if state.get(node) is None:
            visit(node)

    for circle in sorted(circles):
        print("circle: " + " -> ".join(circle + (circle[0],)))
    for fault in faults:
        print(fault)
    if circles or faults:
        return 1
    print(f"include graph: {len(graph)} files, no circles, layers kept")
    return 0


if __name__ == "__main__":
    sys.exit(main())

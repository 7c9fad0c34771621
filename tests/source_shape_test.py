#!/usr/bin/env python3
"""Checks the shape of the sources under src/ and fails (exit 1) when

- a file has more than 500 lines: split it along a real seam instead;
- the project's own headers include each other in a cycle;
- a file of the core (src/core) includes a Qt header: the core builds without Qt;
- a file outside the network layer (src/game/net) includes an operating system socket header
  or Asio: every socket goes through that layer;
- the simulation (src/core/ball, src/core/level, src/core/solver, src/game/play) calls a C
  library function whose last bits differ between libraries (sin, cos, atan2, pow, hypot, exp,
  log, ...): every computer must roll a putt alike, so it uses util/PortableMath.h instead.
  The ball's drawn surface pattern (BallPattern.cpp) is only looked at and may.
- a file of the Qt programs (src/game/app, src/game/shell, src/editor/shell, src/qt,
  src/preview) includes a POSIX header (unistd.h, sys/..., fcntl.h, signal.h, ...): the game
  and the editor stay portable to Windows by going through Qt.

Usage: tests/source_shape_test.py [SRC_DIR]   (default: the src/ beside tests/)

An include "x/y.h" is resolved relative to the including file's folder first, then against
the include folders that the CMake files under SRC_DIR give their targets
(target_include_directories), as the compiler finds it. Includes that resolve to no file
under SRC_DIR (the standard library, Qt, generated files) take no part in the cycle check.
"""
import os
import re
import sys

MAX_LINES = 500
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
INCLUDE_DIRS = re.compile(r"target_include_directories\s*\(([^)]*)\)", re.IGNORECASE)
CMAKE_KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "SYSTEM", "BEFORE", "AFTER"}
# <QString>, <QtCore/QObject>, "QWidget", and the lower-case forms such as <qglobal.h>.
QT_HEADER = re.compile(r"^(Q[A-Za-z0-9_]*(/.*)?|q[a-z0-9_]+\.h)$")
SOCKET_HEADER = re.compile(r"^(sys/socket\.h|sys/un\.h|netinet/.*|arpa/inet\.h|netdb\.h|asio(\.hpp|/.*)|boost/(asio|beast)(\.hpp|/.*))$")

LIBM_CALL = re.compile(r"(?<![\w:.])(?:std::)?(sin|cos|tan|asin|acos|atan|atan2|sinh|cosh|tanh|"
                       r"exp|exp2|expm1|log|log2|log10|log1p|pow|hypot|cbrt|erf|erfc|tgamma|"
                       r"lgamma|sincos)\s*\(")
SIMULATION = (("core", "ball"), ("core", "level"), ("core", "solver"), ("game", "play"))
QT_PROGRAMS = (("game", "app"), ("game", "shell"), ("editor", "shell"), ("qt",), ("preview",))
POSIX_HEADER = re.compile(r"^(unistd|fcntl|poll|signal|pthread|dirent|pwd|grp|termios|dlfcn|"
                          r"spawn|syslog|netdb)\.h$|^(sys|netinet|arpa)/")
DRAWING_ONLY = {"BallPattern.cpp"}


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def source_files(src):
    for folder, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            yield os.path.join(folder, name)


def include_roots(src, project):
    """The include folders the CMake files under `src` declare, inside `src`."""
    roots = []
    for path in source_files(src):
        if os.path.basename(path) != "CMakeLists.txt":
            continue
        here = os.path.dirname(path)
        text = re.sub(r"#[^\n]*", "", read_text(path))
        for call in INCLUDE_DIRS.finditer(text):
            for word in call.group(1).split()[1:]:
                if word in CMAKE_KEYWORDS:
                    continue
                word = word.replace("${CMAKE_CURRENT_SOURCE_DIR}", here)
                word = word.replace("${PROJECT_SOURCE_DIR}", project)
                word = word.replace("${CMAKE_SOURCE_DIR}", project)
                if "$" in word:
                    continue
                root = os.path.normpath(word if os.path.isabs(word) else os.path.join(here, word))
                inside = os.path.commonpath([root, src]) == src
                if inside and os.path.isdir(root) and root not in roots:
                    roots.append(root)
    return roots


def resolve(name, including, roots):
    for folder in [os.path.dirname(including)] + roots:
        candidate = os.path.normpath(os.path.join(folder, name))
        if os.path.isfile(candidate):
            return candidate
    return None


def find_cycles(graph):
    """Every include cycle once, as a list of files with the first one repeated at the end."""
    cycles = []
    seen_cycles = set()
    state = {}  # absent: not visited, 1: on the current path, 2: done
    for start in sorted(graph):
        if start in state:
            continue
        path = [start]
        state[start] = 1
        stack = [iter(sorted(graph[start]))]
        while stack:
            child = next(stack[-1], None)
            if child is None:
                stack.pop()
                state[path.pop()] = 2
                continue
            if state.get(child) == 1:
                cycle = path[path.index(child):]
                key = frozenset(cycle)
                if key not in seen_cycles:
                    seen_cycles.add(key)
                    cycles.append(cycle + [child])
            elif child not in state:
                state[child] = 1
                path.append(child)
                stack.append(iter(sorted(graph.get(child, ()))))
    return cycles


def check(src):
    src = os.path.realpath(src)
    project = os.path.dirname(src)
    core = os.path.join(src, "core")
    net = os.path.join(src, "game", "net")
    roots = include_roots(src, project)
    simulation = [os.path.join(src, *parts) for parts in SIMULATION]
    qt_programs = [os.path.join(src, *parts) for parts in QT_PROGRAMS]
    problems = []
    if not roots:
        problems.append(f"no include folders found in the CMake files under {src}")

    graph = {}
    for path in source_files(src):
        rel = os.path.relpath(path, project)
        text = read_text(path)
        lines = len(text.splitlines())
        if lines > MAX_LINES:
            problems.append(f"{rel}: {lines} lines, more than {MAX_LINES}")
        if not path.endswith(SOURCE_SUFFIXES):
            continue
        in_simulation = any(os.path.commonpath([path, s]) == s for s in simulation)
        if in_simulation and os.path.basename(path) not in DRAWING_ONLY:
            code = re.sub(r"//[^\n]*", "", text)
            for call in LIBM_CALL.finditer(code):
                problems.append(f"{rel}: calls {call.group(0).rstrip('(').strip()}, whose last bits "
                                "differ between C libraries; use util/PortableMath.h")
        edges = graph.setdefault(path, set())
        in_core = os.path.commonpath([path, core]) == core
        in_net = os.path.commonpath([path, net]) == net
        in_qt_program = any(os.path.commonpath([path, q]) == q for q in qt_programs)
        for match in INCLUDE.finditer(text):
            name = match.group(2).strip()
            if in_core and QT_HEADER.match(name):
                problems.append(f"{rel}: includes the Qt header {name}; src/core must stay Qt-free")
            if not in_net and SOCKET_HEADER.match(name):
                problems.append(f"{rel}: includes {name}; sockets belong to src/game/net")
            elif in_qt_program and match.group(1) == "<" and POSIX_HEADER.match(name):
                problems.append(f"{rel}: includes the POSIX header {name}; the Qt programs go "
                                "through Qt to stay portable")
            target = resolve(name, path, roots) if match.group(1) == '"' else None
            if target is not None and target.endswith(SOURCE_SUFFIXES):
                edges.add(target)

    for cycle in find_cycles(graph):
        shown = " -> ".join(os.path.relpath(p, project) for p in cycle)
        problems.append(f"include cycle: {shown}")
    return problems, len(graph)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src")
    if not os.path.isdir(src):
        print(f"no such folder: {src}")
        return 1
    problems, count = check(src)
    for problem in problems:
        print(problem)
    if count == 0:
        print(f"no source files under {src}")
        return 1
    if problems:
        return 1
    print(f"{count} source files: none over {MAX_LINES} lines, no include cycle, no Qt in the core, "
          "no sockets outside the network layer, no C library trigonometry in the simulation, no POSIX in the Qt programs")
    return 0


if __name__ == "__main__":
    sys.exit(main())

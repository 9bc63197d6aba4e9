#!/usr/bin/env python3
"""Draws the folders of src/ and the links between them, read from the
add_library, add_executable and target_link_libraries of src/*/CMakeLists.txt,
so that the picture in docs/ says what the build does.

    scripts/architecture-graph.py            writes docs/architecture.dot and,
                                             with Graphviz's dot, docs/architecture.svg
    scripts/architecture-graph.py --check    fails when docs/architecture.dot is stale
"""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
DOT = ROOT / "docs" / "architecture.dot"
SVG = ROOT / "docs" / "architecture.svg"
COMMAND = re.compile(r"\b(add_library|add_executable|target_link_libraries)\s*\(([^)]*)\)")
KEYWORDS = {"STATIC", "SHARED", "OBJECT", "PUBLIC", "PRIVATE", "INTERFACE"}


def without_comments(text):
    """The CMake text with every comment cut (a # outside quotes to the line's end)."""
    lines = []
    for line in text.splitlines():
        quoted = False
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif c == "#" and not quoted:
                line = line[:i]
                break
        lines.append(line)
    return "\n".join(lines)


def read_build():
    """Each target's folder, the libraries each target links, and the programs."""
    folder_of, links_of, programs = {}, {}, set()
    for cmake in sorted(SRC.rglob("CMakeLists.txt")):
        folder = cmake.parent.relative_to(SRC).as_posix()
        for command, args in COMMAND.findall(without_comments(cmake.read_text())):
            words = args.split()
            target, rest = words[0], [w for w in words[1:] if w not in KEYWORDS]
            if command == "target_link_libraries":
                links_of.setdefault(target, []).extend(rest)
            elif folder == ".":
                continue
            else:
                # app's targets belong to the subfolder of their sources.
                sub = rest[0].split("/")[0] if rest and "/" in rest[0] else ""
                folder_of[target] = f"{folder}/{sub}" if sub and (cmake.parent / sub).is_dir() else folder
                if command == "add_executable":
                    programs.add(target)
    return folder_of, links_of, programs


def folder_graph(folder_of, links_of, programs):
    """The folders each folder links directly, and what each folder's label
    tells besides its name: the Qt modules it links and the programs it builds."""
    edges, qt, notes = {}, {}, {}
    for folder in folder_of.values():
        edges.setdefault(folder, set())
        qt.setdefault(folder, set())
        notes.setdefault(folder, [])
    for program in sorted(programs):
        notes[folder_of[program]].append(program)
    for target, links in links_of.items():
        source = folder_of.get(target)
        if source is None:
            continue
        for link in links:
            if link in folder_of and folder_of[link] != source:
                edges[source].add(folder_of[link])
            elif link.startswith("Qt6::"):
                qt[source].add("Qt " + link[len("Qt6::"):])
    for folder, modules in qt.items():
        if modules:
            notes[folder].insert(0, ", ".join(sorted(modules)))
    return edges, qt, notes


def reaches(edges, start):
    seen, pending = set(), list(edges[start])
    while pending:
        folder = pending.pop()
        if folder not in seen:
            seen.add(folder)
            pending.extend(edges[folder])
    return seen


def dot_text(edges, qt, notes):
    """Graphviz text: core folders (no Qt, however reached) in one box; a link
    that a longer path already implies drawn grey."""
    uses_qt = {f for f in edges if qt[f] or any(qt[g] for g in reaches(edges, f))}
    out = [
        "// Written by scripts/architecture-graph.py from src/*/CMakeLists.txt: do not edit.",
        "// An arrow: the folder's library links the other's. Grey: implied by a longer path too.",
        "digraph stirpa {",
        '  graph [rankdir=TB, fontname="Liberation Sans", fontsize=11, nodesep=0.3, ranksep=0.45];',
        '  node [shape=box, style="rounded,filled", fillcolor="#eef2fb", fontname="Liberation Sans", fontsize=11];',
        '  edge [color="#445577", arrowsize=0.7];',
        "  subgraph cluster_core {",
        '    label="standard C++ only (the build refuses Qt here)"; style=dashed; color="#8899aa";',
    ]
    def label(folder):
        return "\\n".join([folder] + notes[folder])

    for folder in sorted(edges):
        if folder not in uses_qt:
            out.append(f'    "{folder}" [label="{label(folder)}"];')
    out.append("  }")
    for folder in sorted(uses_qt):
        out.append(f'  "{folder}" [label="{label(folder)}", fillcolor="#fbf1e6"];')
    for folder in sorted(edges):
        for used in sorted(edges[folder]):
            implied = any(used in reaches(edges, other) for other in edges[folder] if other != used)
            style = ' [color="#c8ccd4", constraint=false]' if implied else ""
            out.append(f'  "{folder}" -> "{used}"{style};')
    out.append("}")
    return "\n".join(out) + "\n"


def main():
    text = dot_text(*folder_graph(*read_build()))
    if sys.argv[1:] == ["--check"]:
        if DOT.read_text() != text:
            sys.exit(f"{DOT} is stale: run scripts/architecture-graph.py")
        return
    DOT.write_text(text)
    subprocess.run(["dot", "-Tsvg", "-o", str(SVG), str(DOT)], check=True)


if __name__ == "__main__":
    main()

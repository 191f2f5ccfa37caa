#!/usr/bin/env python3
"""check_win_includes.py: the window layer's classes must include one another one way only.

    python3 scripts/check_win_includes.py [ROOT]

Reads the #include "..." lines of win/ (ROOT defaults to the repository) and joins each file to
its class: X.h, X.cpp and X<Part>.cpp are the class X. An include of another class's header is an
arrow between the two classes. Prints every group of classes that reach one another round a
circle, with the arrows inside it, and exits 1 when there is one. The small window framework in
win/fw may keep circles of its own, as long as none reaches out of it and back.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def source_files(win):
    for folder, _, names in os.walk(win):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(folder, name), win)


def class_of(path, headers):
    """The class a file belongs to: the longest header stem in its folder that starts its name."""
    folder, name = os.path.split(path)
    stem = os.path.splitext(name)[0]
    owners = [h for h in headers if os.path.dirname(h) == folder and stem.startswith(os.path.splitext(os.path.basename(h))[0])]
    if not owners:
        return os.path.join(folder, stem)
    return os.path.splitext(max(owners, key=len))[0]


def resolve(include, path, files):
    """The file of win/ an include names, looked up as the compiler does: beside the file first."""
    for candidate in (os.path.join(os.path.dirname(path), include), include):
        candidate = os.path.normpath(candidate)
        if candidate in files:
            return candidate
    return None


def arrows(win):
    files = set(source_files(win))
    headers = [f for f in files if f.endswith(".h")]
    graph = {}
    for path in sorted(files):
        source = class_of(path, headers)
        graph.setdefault(source, {})
        with open(os.path.join(win, path), encoding="utf-8") as text:
            for include in INCLUDE.findall(text.read()):
                target_file = resolve(include, path, files)
                if target_file is None:
                    continue
                target = class_of(target_file, headers)
                if target != source:
                    graph[source].setdefault(target, path)
    return graph


def circles(graph):
    """Strongly connected groups of more than one class (Tarjan's algorithm, iteratively)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []
    for root in graph:
        if root in index:
            continue
        work = [(root, iter(graph[root]))]
        index[root] = low[root] = len(index)
        stack.append(root)
        on_stack.add(root)
        while work:
            node, targets = work[-1]
            advanced = False
            for target in targets:
                if target not in index:
                    index[target] = low[target] = len(index)
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(graph.get(target, {}))))
                    advanced = True
                    break
                if target in on_stack:
                    low[node] = min(low[node], index[target])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))
    return groups


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    win = os.path.join(root, "win")
    graph = arrows(win)
    found = [g for g in circles(graph) if not all(member.startswith("fw" + os.sep) for member in g)]
    for group in found:
        print(f"include circle of {len(group)} classes in win/:")
        members = set(group)
        for source in group:
            for target, where in sorted(graph[source].items()):
                if target in members:
                    print(f"  {source} -> {target}   ({where})")
    if found:
        return 1
    print(f"win/: {len(graph)} classes, no include circle outside win/fw")
    return 0


if __name__ == "__main__":
    sys.exit(main())

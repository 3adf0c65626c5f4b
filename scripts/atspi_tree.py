#!/usr/bin/env python3
"""Reads Veltrano's windows over AT-SPI as a screen reader does: the task
selector, then the Triangles worksheet opened from it. Prints each window's
tree of roles and names and fails when a name the program gives is missing."""
import sys
import time

import pyatspi


def find_app(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.3)
    return None


def walk(node, depth=0, lines=None):
    lines = [] if lines is None else lines
    try:
        role, name = node.getRoleName(), node.name
    except Exception:  # an object that went away while it was read
        return lines
    if name or depth < 2:
        lines.append("  " * depth + f"{role}: {name}")
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, lines)
    return lines


def window_named(app, title, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for i in range(app.childCount):
            frame = app.getChildAtIndex(i)
            if frame is not None and frame.name.startswith(title):
                return frame
        time.sleep(0.3)
    return None


def press(root, name):
    for node in walk_nodes(root):
        if node.name == name:
            node.queryAction().doAction(0)
            return True
    return False


def walk_nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk_nodes(child)


def expect(lines, names):
    text = "\n".join(lines)
    missing = [n for n in names if f": {n}" not in text]
    for n in missing:
        print(f"MISSING: {n}")
    return not missing


def main():
    app = find_app("veltrano")
    if app is None:
        print("Veltrano did not appear on the accessibility bus")
        return 1
    selector = window_named(app, "Veltrano")
    if selector is None:
        print("no task selector")
        return 1
    lines = walk(selector)
    print("\n".join(lines))
    ok = expect(lines, ["OK, open the selected worksheet", "Solve a triangle"])
    press(selector, "Solve a triangle")
    press(selector, "OK, open the selected worksheet")
    triangles = window_named(app, "Triangles")
    if triangles is None:
        print("the Triangles window did not open")
        return 1
    lines = walk(triangles)
    print("\n".join(lines))
    ok = expect(lines, ["side a", "side b", "side c", "angle A, degrees", "Area", "Status"]) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

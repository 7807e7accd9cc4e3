#!/usr/bin/python3
# accessible_tree.py [--unnamed | --rows] TITLE: reads zelvo's window TITLE over the accessibility
# bus (AT-SPI) as a screen reader does.
#   (no option)  prints the window's tree, one node a line: role, "name", and the description
#   --unnamed    prints each control a user reaches with the keyboard (button, box, field, list,
#                table, page tab, ...) that has no name, with where it sits
#   --rows       prints each row of every table and tree: its cells' names and descriptions
# Exit status 0, or 2 while there is no such window. Needs python3-pyatspi and zelvo started with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
import sys

import pyatspi

# The roles of the controls Orca announces by name when they get the focus.
CONTROLS = {
    "push button", "toggle button", "check box", "radio button", "text", "entry", "password text",
    "combo box", "list", "list box", "table", "tree table", "tree", "page tab", "spin button",
}
TABLES = {"table", "tree table", "tree"}


def children(node):
    return [child for child in node if child is not None]


def focusable(node):
    return node.getState().contains(pyatspi.STATE_FOCUSABLE)


def where(path):
    """The named ancestors of a node, innermost last: the way to it that a reader hears."""
    return " > ".join(f'{role} "{name}"' for role, name in path if name) or "the window itself"


def print_tree(node, depth=0):
    description = f" ({node.description})" if node.description else ""
    print(f'{"  " * depth}{node.getRoleName()} "{node.name}"{description}')
    for child in children(node):
        print_tree(child, depth + 1)


def unnamed(node, path=()):
    role = node.getRoleName()
    # A tab is no keyboard stop of its own: the tab bar is, and it reads the current tab's name.
    if role in CONTROLS and (focusable(node) or role == "page tab") and not node.name.strip():
        print(f"{role} without a name in {where(path)}")
    # A combo box's list is its popup, read with the box.
    if role == "combo box":
        return
    for child in children(node):
        unnamed(child, path + ((role, node.name),))


def rows(node):
    if node.getRoleName() in TABLES:
        table = node.queryTable()
        for row in range(table.nRows):
            cells = (table.getAccessibleAt(row, column) for column in range(table.nColumns))
            print(" | ".join(" ".join(filter(None, (cell.name, cell.description)))
                             for cell in cells if cell is not None))
        return
    for child in children(node):
        rows(child)


def window(title):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == "zelvo":
            for candidate in children(app):
                if candidate.name == title:
                    return candidate
    return None


def main():
    mode = sys.argv[1] if len(sys.argv) == 3 else ""
    found = window(sys.argv[-1])
    if found is None:
        return 2
    {"--unnamed": unnamed, "--rows": rows, "": print_tree}[mode](found)
    return 0


sys.exit(main())

#!/usr/bin/python3
# window_labels.py TITLE [ROLE]: prints the text of every label (or every control of the AT-SPI
# role ROLE, such as "push button") in zelvo's window TITLE, one a line, as a screen reader reads
# them over the accessibility bus (AT-SPI). Prints nothing while there is no such window. Needs python3-pyatspi and zelvo started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
import sys

import pyatspi


ROLE = sys.argv[2] if len(sys.argv) > 2 else "label"


def labels(node, out):
    if node.getRoleName() == ROLE:
        out.append(node.name)
    for child in node:
        if child is not None:
            labels(child, out)


for app in pyatspi.Registry.getDesktop(0):
    if app is None or app.name != "zelvo":
        continue
    for window in app:
        if window is not None and window.name == sys.argv[1]:
            found = []
            labels(window, found)
            print("\n".join(found))

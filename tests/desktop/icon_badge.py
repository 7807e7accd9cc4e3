#!/usr/bin/python3
# icon_badge.py WINDOW: reads the pixels of an X window (the tray icon) straight from the X server
# and prints "badge" when the lower right quarter shows the red of the lost-TNC badge (#c62828,
# art/overlay/tnc-lost.svg) on at least an eighth of its pixels, else "plain". Exit status 2 when
# the window cannot be read. Needs only libX11, which the program itself uses.
import ctypes
import ctypes.util
import sys

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]


class Attributes(ctypes.Structure):
    # The head of XWindowAttributes: enough for the size, the rest is room.
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("rest", ctypes.c_byte * 256)]


def main():
    display = x11.XOpenDisplay(None)
    if not display:
        return 2
    window = int(sys.argv[1], 0)
    attributes = Attributes()
    if not x11.XGetWindowAttributes(ctypes.c_void_p(display), ctypes.c_ulong(window), ctypes.byref(attributes)):
        return 2
    width, height = attributes.width, attributes.height
    image = x11.XGetImage(display, window, 0, 0, width, height, 0xFFFFFFFF, 2)  # ZPixmap
    if not image or width < 4 or height < 4:
        return 2
    red = total = 0
    for y in range(height // 2, height):
        for x in range(width // 2, width):
            pixel = x11.XGetPixel(image, x, y)
            r, g, b = (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF
            total += 1
            red += r > 150 and g < 90 and b < 90
    print("badge" if red * 8 >= total else "plain")
    return 0


sys.exit(main())

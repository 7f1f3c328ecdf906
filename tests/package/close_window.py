#!/usr/bin/python3
"""close_window.py TITLE: closes the X window whose title starts with TITLE as
a window manager's close box does (WM_DELETE_WINDOW), with no window manager
needed. Waits up to 20 s for the window to be shown."""

import ctypes
import subprocess
import sys
import time

xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
xlib.XFlush.argtypes = [ctypes.c_void_p]


def find_window(title):
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        parts = line.strip().split(" ", 1)
        if len(parts) == 2 and parts[1].startswith('"' + title):
            return int(parts[0], 16)
    return None


def viewable(window):
    info = subprocess.run(["xwininfo", "-id", hex(window)], capture_output=True, text=True).stdout
    return "IsViewable" in info


def main():
    title = sys.argv[1]
    deadline = time.time() + 20
    window = find_window(title)
    # A window exists before it is shown; a close before the program shows it would be lost.
    while (window is None or not viewable(window)) and time.time() < deadline:
        time.sleep(0.2)
        window = find_window(title)
    if window is None or not viewable(window):
        sys.exit(f"no window {title!r} shown")
    time.sleep(1)  # the program's start-up ends with the window shown
    display = xlib.XOpenDisplay(None)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XFlush(display)


if __name__ == "__main__":
    main()

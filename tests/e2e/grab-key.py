#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Another program holding a global key: grabs KEYSYM with the modifier mask
(X11 bits: 1 Shift, 4 Control, 8 Alt) on the root window, also with NumLock
and CapsLock, prints "grabbed" and keeps the grab for SECONDS.
    grab-key.py KEYSYM MASK SECONDS
"""
import ctypes
import sys
import time

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XStringToKeysym.restype = ctypes.c_ulong
x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
                       ctypes.c_int, ctypes.c_int]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

display = x.XOpenDisplay(None)
if not display:
    sys.exit("no display")
root = x.XDefaultRootWindow(display)
code = x.XKeysymToKeycode(display, x.XStringToKeysym(sys.argv[1].encode()))
for locks in (0, 2, 16, 18):  # none, CapsLock, NumLock, both
    x.XGrabKey(display, code, int(sys.argv[2]) | locks, root, 1, 1, 1)
x.XSync(display, 0)
print("grabbed", flush=True)
time.sleep(float(sys.argv[3]))

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Hands the display program one text, as the utility would: osd_show.py SOCKET [TEXT]."""
import socket
import struct
import sys


def utf16(text):
    data = text.encode('utf-16-le')[:510]
    return data + b'\0' * (512 - len(data))


text = sys.argv[2] if len(sys.argv) > 2 else 'DPI 1600'
# Text, reserved, display time, reserved, colour 0x00BBGGRR, font size, font face.
block = utf16(text) + struct.pack('<iiiIi', 0, 3000, 0, 0x0000FF00, 60) + utf16('Arial')
with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
    s.settimeout(2)
    s.connect(sys.argv[1])
    s.sendall(block)
    try:
        s.recv(16)  # the acknowledgement
    except OSError:
        pass

#!/usr/bin/env python3
"""What the X server holds for a window, as a capturing program and the
input code see it.

  window_x.py depth WINDOW
      the window's depth (32 when it has an alpha channel)
  window_x.py input WINDOW
      the rectangles of its input shape, one "x y w h" a line (none: clicks
      pass through)
  window_x.py bounding WINDOW
      the rectangles of its bounding shape (its outline), the same way
  window_x.py alpha WINDOW X,Y [X,Y ...]
      the alpha of those pixels of the window's pixmap, read through the
      Composite extension as a window capture reads it (needs a compositing
      manager, which redirects the window), one value a line

WINDOW is a decimal or hexadecimal id.
"""
import sys

from Xlib import X, display
from Xlib.ext import composite, shape  # noqa: F401  (registers the extensions)


def main(argv):
    command, window_id = argv[1], int(argv[2], 0)
    d = display.Display()
    window = d.create_resource_object("window", window_id)
    if command == "depth":
        print(window.get_geometry().depth)
        return 0
    if command in ("input", "bounding"):
        kind = shape.SK.Input if command == "input" else shape.SK.Bounding
        reply = window.shape_get_rectangles(kind)
        for r in reply.rectangles:
            print(r.x, r.y, r.width, r.height)
        return 0
    if command == "alpha":
        geometry = window.get_geometry()
        if geometry.depth != 32:
            print("no alpha: depth %d" % geometry.depth, file=sys.stderr)
            return 1
        pixmap = window.composite_name_window_pixmap()
        image = pixmap.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
        data = image.data
        stride = len(data) // geometry.height
        for point in argv[3:]:
            x, y = (int(v) for v in point.split(","))
            # 32-bit pixels in the server's (little-endian) order: B, G, R, A.
            print(data[y * stride + x * 4 + 3])
        pixmap.free()
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

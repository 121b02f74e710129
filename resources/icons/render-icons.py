#!/usr/bin/env python3
"""Renders the SVG sources of the icons to the PNG sizes the program and the desktop use.

Runs wherever librsvg 2.46 or later and cairo are installed (their shared libraries are
enough); the PNG files are kept in the repository so that building needs neither.
"""
import ctypes
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from rsvgcairo import RsvgRectangle, libraries  # noqa: E402

SIZES = {
    "tessemar": [16, 32, 48, 256],
    "application-x-tessemar": [16, 32, 48, 256],
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    rsvg, cairo = libraries()
    cairo_format_argb32 = 0

    for name, sizes in SIZES.items():
        source = os.path.join(here, name + ".svg").encode()
        handle = rsvg.rsvg_handle_new_from_file(source, None)
        if not handle:
            sys.exit(f"cannot read {source.decode()}")
        for size in sizes:
            surface = cairo.cairo_image_surface_create(cairo_format_argb32, size, size)
            context = cairo.cairo_create(surface)
            viewport = RsvgRectangle(0, 0, size, size)
            if not rsvg.rsvg_handle_render_document(handle, context, ctypes.byref(viewport), None):
                sys.exit(f"cannot render {source.decode()}")
            target = os.path.join(here, f"{name}-{size}.png")
            cairo.cairo_surface_write_to_png(surface, target.encode())
            cairo.cairo_destroy(context)
            cairo.cairo_surface_destroy(surface)
            print(target)


if __name__ == "__main__":
    main()

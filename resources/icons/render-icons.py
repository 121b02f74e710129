#!/usr/bin/env python3
"""Renders the SVG sources of the icons to the PNG sizes the program and the desktop use.

Runs wherever librsvg 2.46 or later and cairo are installed (their shared libraries are
enough); the PNG files are kept in the repository so that building needs neither.
"""
import ctypes
import ctypes.util
import os
import sys

SIZES = {
    "tessemar": [16, 32, 48, 256],
    "application-x-tessemar": [16, 32, 48, 256],
}


class RsvgRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_double), ("y", ctypes.c_double),
                ("width", ctypes.c_double), ("height", ctypes.c_double)]


def load(name, fallback):
    path = ctypes.util.find_library(name) or fallback
    return ctypes.CDLL(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    rsvg = load("rsvg-2", "librsvg-2.so.2")
    cairo = load("cairo", "libcairo.so.2")
    rsvg.rsvg_handle_new_from_file.restype = ctypes.c_void_p
    rsvg.rsvg_handle_new_from_file.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
    rsvg.rsvg_handle_render_document.argtypes = [ctypes.c_void_p, ctypes.c_void_p,
                                                 ctypes.POINTER(RsvgRectangle), ctypes.c_void_p]
    cairo.cairo_image_surface_create.restype = ctypes.c_void_p
    cairo.cairo_create.restype = ctypes.c_void_p
    cairo.cairo_create.argtypes = [ctypes.c_void_p]
    cairo.cairo_surface_write_to_png.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
    cairo.cairo_destroy.argtypes = [ctypes.c_void_p]
    cairo.cairo_surface_destroy.argtypes = [ctypes.c_void_p]
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

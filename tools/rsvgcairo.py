"""librsvg and cairo through ctypes, for the scripts that render our SVG icons to pixels.

Only the shared libraries are needed (librsvg 2.46 or later, cairo), no Python bindings.
"""
import ctypes
import ctypes.util


class RsvgRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_double), ("y", ctypes.c_double),
                ("width", ctypes.c_double), ("height", ctypes.c_double)]


def _load(name, fallback):
    return ctypes.CDLL(ctypes.util.find_library(name) or fallback)


def libraries():
    """Returns (rsvg, cairo) with the signatures of the calls that load, render and save."""
    rsvg = _load("rsvg-2", "librsvg-2.so.2")
    cairo = _load("cairo", "libcairo.so.2")
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
    return rsvg, cairo

#!/usr/bin/env python3
"""Draws every command icon of resources/icons/actions into one contact sheet PNG.

Each icon appears at 16, 24 and 48 pixels on a light toolbar colour, at 16 and 24 pixels on a
dark one, and its 16-pixel rendering magnified three times, so that blurred lines and parts that
vanish on either background show at a glance.
Usage: render-icon-sheet.py [output.png] [name-prefix ...]   (default /tmp/icon-sheet.png)
Needs only the shared libraries of librsvg (2.46 or later) and cairo, like render-icons.py
(both through tools/rsvgcairo.py).
"""
import ctypes
import os
import sys

from rsvgcairo import RsvgRectangle, libraries

LIGHT = (0.94, 0.94, 0.94)
DARK = (0.19, 0.20, 0.22)
SIZES = [16, 24, 48]
DARK_SIZES = [16, 24]
COLUMNS = 2
LABEL = 150
GAP = 8
ZOOM = 4


rsvg, cairo = libraries()
for function in ("cairo_set_source_rgb",):
    getattr(cairo, function).argtypes = [ctypes.c_void_p] + [ctypes.c_double] * 3
cairo.cairo_rectangle.argtypes = [ctypes.c_void_p] + [ctypes.c_double] * 4
cairo.cairo_fill.argtypes = [ctypes.c_void_p]
cairo.cairo_move_to.argtypes = [ctypes.c_void_p, ctypes.c_double, ctypes.c_double]
cairo.cairo_set_font_size.argtypes = [ctypes.c_void_p, ctypes.c_double]
cairo.cairo_show_text.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
cairo.cairo_save.argtypes = [ctypes.c_void_p]
cairo.cairo_restore.argtypes = [ctypes.c_void_p]
cairo.cairo_scale.argtypes = [ctypes.c_void_p, ctypes.c_double, ctypes.c_double]
cairo.cairo_set_source_surface.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_double,
                                           ctypes.c_double]
cairo.cairo_get_source.restype = ctypes.c_void_p
cairo.cairo_get_source.argtypes = [ctypes.c_void_p]
cairo.cairo_pattern_set_filter.argtypes = [ctypes.c_void_p, ctypes.c_int]
cairo.cairo_paint.argtypes = [ctypes.c_void_p]
CAIRO_FILTER_NEAREST = 3


def magnified(cr, handle, x, y):
    """Paints the icon rendered at 16 pixels, each pixel drawn as a ZOOM x ZOOM block."""
    small = cairo.cairo_image_surface_create(0, 16, 16)
    small_cr = cairo.cairo_create(small)
    viewport = RsvgRectangle(0, 0, 16, 16)
    rsvg.rsvg_handle_render_document(handle, small_cr, ctypes.byref(viewport), None)
    cairo.cairo_save(cr)
    cairo.cairo_set_source_rgb(cr, *LIGHT)
    cairo.cairo_rectangle(cr, x, y, 16 * ZOOM, 16 * ZOOM)
    cairo.cairo_fill(cr)
    cairo.cairo_scale(cr, ZOOM, ZOOM)
    cairo.cairo_set_source_surface(cr, small, x / ZOOM, y / ZOOM)
    cairo.cairo_pattern_set_filter(cairo.cairo_get_source(cr), CAIRO_FILTER_NEAREST)
    cairo.cairo_paint(cr)
    cairo.cairo_restore(cr)
    cairo.cairo_destroy(small_cr)
    cairo.cairo_surface_destroy(small)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = os.path.join(root, "resources", "icons", "actions")
    target = sys.argv[1] if len(sys.argv) > 1 else "/tmp/icon-sheet.png"
    prefixes = sys.argv[2:]
    names = sorted(n[:-4] for n in os.listdir(folder) if n.endswith(".svg"))
    if prefixes:
        names = [n for n in names if any(n.startswith(p) for p in prefixes)]

    cell_width = LABEL + sum(SIZES) + sum(DARK_SIZES) + GAP * (len(SIZES) + len(DARK_SIZES) + 1)
    cell_width += 16 * ZOOM + GAP
    cell_height = max(max(SIZES), 16 * ZOOM) + GAP
    rows = (len(names) + COLUMNS - 1) // COLUMNS
    surface = cairo.cairo_image_surface_create(0, cell_width * COLUMNS, cell_height * rows)
    cr = cairo.cairo_create(surface)
    cairo.cairo_set_source_rgb(cr, 1, 1, 1)
    cairo.cairo_rectangle(cr, 0, 0, cell_width * COLUMNS, cell_height * rows)
    cairo.cairo_fill(cr)
    cairo.cairo_set_font_size(cr, 11)

    for index, name in enumerate(names):
        x0 = (index % COLUMNS) * cell_width
        y0 = (index // COLUMNS) * cell_height
        cairo.cairo_set_source_rgb(cr, 0, 0, 0)
        cairo.cairo_move_to(cr, x0 + 4, y0 + cell_height / 2 + 4)
        cairo.cairo_show_text(cr, name.encode())
        handle = rsvg.rsvg_handle_new_from_file(os.path.join(folder, name + ".svg").encode(), None)
        if not handle:
            sys.exit(f"cannot read {name}.svg")
        x = x0 + LABEL
        for size, background in [(s, LIGHT) for s in SIZES] + [(s, DARK) for s in DARK_SIZES]:
            y = y0 + (cell_height - size) // 2
            cairo.cairo_set_source_rgb(cr, *background)
            cairo.cairo_rectangle(cr, x - 3, y - 3, size + 6, size + 6)
            cairo.cairo_fill(cr)
            viewport = RsvgRectangle(x, y, size, size)
            if not rsvg.rsvg_handle_render_document(handle, cr, ctypes.byref(viewport), None):
                sys.exit(f"cannot render {name}.svg")
            x += size + GAP
        magnified(cr, handle, x, y0 + (cell_height - 16 * ZOOM) // 2)
    cairo.cairo_surface_write_to_png(surface, target.encode())
    print(target)


if __name__ == "__main__":
    main()

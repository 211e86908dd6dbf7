"""Helpers for drawing the program's images: PNG files, SVG rendering and a small 3-D renderer."""

"""The wireless mouse and its USB receiver as meshes with their materials, in millimetres.

Object coordinates: x to the mouse's right, y toward its front, z up; the mouse stands on z = 0.
"""
import math

from .render3d import Material, Mesh, cross, dot, norm, smoothstep

LENGTH = 108.0
HALF_LENGTH = LENGTH / 2
HALF_WIDTH = 31.0
SKIRT = 3.0
DOME = 34.0
PEAK = (0.0, -12.0)
OUTLINE_POWER = 2.6
PROFILE_POWER = 2.4

# The side buttons on the left flank, as rounded rectangles in (y, z): centre, half sizes, corner.
FORWARD_BUTTON = ((17.0, 13.5), (8.5, 3.4), 3.0)
BACK_BUTTON = ((-3.5, 13.8), (8.5, 3.4), 3.0)
SIDE_BUTTONS = (FORWARD_BUTTON, BACK_BUTTON)

WHEEL_Y = 29.0
WHEEL_RADIUS = 9.0
WHEEL_HALF_WIDTH = 3.2


def spow(value, exponent):
    return math.copysign(abs(value) ** exponent, value)


def outline(theta):
    cx = spow(math.cos(theta), 2 / OUTLINE_POWER)
    cy = spow(math.sin(theta), 2 / OUTLINE_POWER)
    # A little narrower toward the front, as a hand's fingers are closer together than its palm.
    return HALF_WIDTH * cx * (0.93 - 0.07 * cy), HALF_LENGTH * cy, cy


def body_point(theta, s):
    ox, oy, cy = outline(theta)
    if s < 0:  # the skirt: nearly upright, tucked in at the bottom
        k = 1 + s / 0.08
        g = 0.965 + 0.035 * k
        return (PEAK[0] + (ox - PEAK[0]) * g, PEAK[1] + (oy - PEAK[1]) * g, SKIRT * k)
    t = min(1.0, s) * math.pi / 2
    g = math.cos(t) ** (2 / PROFILE_POWER) if t < math.pi / 2 else 0.0
    f = math.sin(t) ** (2 / PROFILE_POWER)
    # The front is lower than the hump under the palm.
    lower = 1 - 0.3 * max(0.0, cy) * (1 - s) ** 1.5
    return (PEAK[0] + (ox - PEAK[0]) * g, PEAK[1] + (oy - PEAK[1]) * g, SKIRT + DOME * f * lower)


def surface_normal(point, theta, s):
    e = 1e-4
    if s >= 0.999:
        return (0.0, 0.0, 1.0)
    a = body_point(theta + e, s)
    b = body_point(theta - e, s)
    s_lo, s_hi = (s - e, s + e) if s >= e or s < 0 else (s, s + e)
    c = body_point(theta, s_hi)
    d = body_point(theta, s_lo)
    n = norm(cross((a[0] - b[0], a[1] - b[1], a[2] - b[2]), (c[0] - d[0], c[1] - d[1], c[2] - d[2])))
    outward = (point[0] - PEAK[0], point[1] - PEAK[1], 0.3 * point[2])
    if dot(n, outward) < 0:
        n = (-n[0], -n[1], -n[2])
    return n


def height_on_centre_line(y):
    """The body's height at x = 0 and that y on the front half."""
    theta = math.pi / 2
    lo, hi = 0.0, 1.0
    for _ in range(50):
        mid = (lo + hi) / 2
        if body_point(theta, mid)[1] > y:
            lo = mid
        else:
            hi = mid
    return body_point(theta, (lo + hi) / 2)[2]


def left_flank_point(y, z):
    """The point of the left flank at that y and height, found by search over the surface."""
    best = None
    for i in range(400):
        theta = math.pi / 2 + math.pi * i / 399
        for j in range(120):
            s = 0.45 * j / 119
            p = body_point(theta, s)
            err = (p[1] - y) ** 2 + (p[2] - z) ** 2
            if best is None or err < best[0]:
                best = (err, theta, s)
    _, theta, s = best
    return body_point(theta, s)


def body_mesh(columns=220, rows=64):
    mesh = Mesh()
    theta0, theta1 = -math.pi / 2, 3 * math.pi / 2

    def dome(i, j):
        s = i / rows
        theta = theta0 + (theta1 - theta0) * j / columns
        p = body_point(theta, s)
        return p, surface_normal(p, theta, s), (theta, s)

    def skirt(i, j):
        s = -0.08 + 0.08 * i / 4
        theta = theta0 + (theta1 - theta0) * j / columns
        p = body_point(theta, s)
        n = surface_normal(p, theta, s)
        return p, n, (theta, s)

    mesh.grid(rows, columns, dome)
    mesh.grid(4, columns, skirt)
    return mesh


def wheel_mesh(segments=96, across=10):
    mesh = Mesh()
    centre_z = height_on_centre_line(WHEEL_Y) - WHEEL_RADIUS + 2.6
    rim = WHEEL_RADIUS - 1.2

    def tyre(i, j):
        alpha = 2 * math.pi * j / segments
        u = -0.995 + 1.99 * i / across
        # A rounded tyre: full radius in the middle, 1.2 mm less at the edges.
        root = math.sqrt(1 - u * u)
        radius = WHEEL_RADIUS - 1.2 * (1 - root)
        slope = 1.2 * u / root / WHEEL_HALF_WIDTH
        p = (WHEEL_HALF_WIDTH * u, WHEEL_Y + radius * math.cos(alpha), centre_z + radius * math.sin(alpha))
        return p, norm((slope, math.cos(alpha), math.sin(alpha))), (alpha, u)

    def side(sign):
        def vertex(i, j):
            alpha = 2 * math.pi * j / segments
            radius = rim * i / 4
            p = (sign * WHEEL_HALF_WIDTH * 0.995, WHEEL_Y + radius * math.cos(alpha), centre_z + radius * math.sin(alpha))
            return p, (float(sign), 0.0, 0.0), (alpha, float(sign))
        return vertex

    mesh.grid(across, segments, tyre)
    mesh.grid(4, segments, side(-1))
    mesh.grid(4, segments, side(1))
    return mesh


def rounded_rect_distance(y, z, button):
    (cy, cz), (hy, hz), radius = button
    qy = abs(y - cy) - (hy - radius)
    qz = abs(z - cz) - (hz - radius)
    outside = math.hypot(max(qy, 0.0), max(qz, 0.0))
    return outside + min(max(qy, qz), 0.0) - radius


def rounded_rect_gradient(y, z, button):
    e = 0.05
    gy = rounded_rect_distance(y + e, z, button) - rounded_rect_distance(y - e, z, button)
    gz = rounded_rect_distance(y, z + e, button) - rounded_rect_distance(y, z - e, button)
    length = math.hypot(gy, gz) or 1.0
    return gy / length, gz / length


SHELL = Material((0.016, 0.018, 0.024), diffuse=1.0, specular=0.55, gloss=70, reflect=0.95, f0=0.05)
SKIRT_MATERIAL = Material((0.02, 0.02, 0.022), specular=0.08, gloss=8)
RUBBER = Material((0.075, 0.078, 0.085), specular=0.12, gloss=10, reflect=0.12, f0=0.04)
CHROME = Material((0.86, 0.88, 0.92), diffuse=0.5, specular=1.0, gloss=90, reflect=1.0, f0=0.75)
SATIN_SILVER = Material((0.62, 0.64, 0.68), diffuse=0.8, specular=0.7, gloss=35, reflect=0.7, f0=0.55)
GROOVE = Material((0.004, 0.004, 0.005), specular=0.0)
SLOT = Material((0.004, 0.004, 0.005), specular=0.0)
LOGO = Material((0.32, 0.34, 0.38), diffuse=0.9, specular=0.5, gloss=30, reflect=0.5, f0=0.5)


def belt(theta):
    """Where the shell meets the rubber flank, in the profile parameter s: high on the sides, low
    at the front (the buttons reach the edge) and the back."""
    return 0.06 + 0.33 * abs(math.cos(theta)) ** 1.6


class MouseMaterials:
    def __init__(self, logo_mask=None):
        """logo_mask(u, v) -> coverage 0..1 for u, v in 0..1 (u across, v up), or None."""
        self.logo_mask = logo_mask

    def body(self, p, n, attrs):
        theta, s = attrs
        x, y, z = p
        if s < 0:
            return SKIRT_MATERIAL
        b = belt(theta)
        if abs(s - b) < 0.011:
            return CHROME
        if s < b:
            if x < 0:
                for button in SIDE_BUTTONS:
                    d = rounded_rect_distance(y, z, button)
                    if d < 0.12:
                        if d > -0.45:
                            return GROOVE
                        if d > -1.4:
                            gy, gz = rounded_rect_gradient(y, z, button)
                            tilt = 0.9 * smoothstep(-1.4, -0.45, d)
                            bent = norm((n[0], n[1] - tilt * gy, n[2] - tilt * gz))
                            return Material(SATIN_SILVER.albedo, SATIN_SILVER.diffuse, SATIN_SILVER.specular,
                                            SATIN_SILVER.gloss, SATIN_SILVER.reflect, SATIN_SILVER.f0, bent)
                        return SATIN_SILVER
            return RUBBER
        # The two main buttons, split down the middle and ending in a seam that curves back.
        seam_y = 6.0 - 0.006 * x * x
        if y > seam_y and abs(x) < 0.45:
            return GROOVE
        if abs(y - seam_y) < 0.35 and s > b + 0.02:
            return GROOVE
        ends = max(0.0, abs(y - WHEEL_Y) - 6.0)
        if x * x + ends * ends < 4.7 * 4.7:
            return SLOT
        if self.logo_mask and -14 < x < 14 and -36 < y < -26:
            coverage = self.logo_mask((14 - x) / 28, (y + 36) / 10)
            if coverage > 0.5:
                return LOGO
        return SHELL

    def wheel(self, p, n, attrs):
        alpha, u = attrs
        if abs(u) >= 1:  # the sides of the wheel
            return Material((0.03, 0.03, 0.032), specular=0.1, gloss=10)
        rib = max(0.0, math.cos(alpha * 36)) ** 2
        grey = 0.035 + 0.07 * rib * (1 - abs(u) ** 6)
        return Material((grey, grey, grey * 1.05), specular=0.35 * rib, gloss=14, reflect=0.15, f0=0.04)


# ---- The receiver ------------------------------------------------------------------------------

RECEIVER_BODY = (7.0, 9.0, 3.0)   # half sizes: across, along, height
RECEIVER_PLUG = (6.0, 6.5, 2.25)
PLUG_CENTRE_Y = RECEIVER_BODY[1] + RECEIVER_PLUG[1] - 1.5


def superquadric_mesh(half, roundness, offset, rows=28, columns=56):
    a, b, c = half
    e = roundness
    mesh = Mesh()

    def vertex(i, j):
        eta = -math.pi / 2 + math.pi * i / rows
        omega = -math.pi + 2 * math.pi * j / columns
        ce, se = math.cos(eta), math.sin(eta)
        co, so = math.cos(omega), math.sin(omega)
        p = (a * spow(ce, e) * spow(co, e) + offset[0], b * spow(ce, e) * spow(so, e) + offset[1],
             c * spow(se, e) + offset[2])
        n = norm((spow(ce, 2 - e) * spow(co, 2 - e) / a, spow(ce, 2 - e) * spow(so, 2 - e) / b, spow(se, 2 - e) / c))
        return p, n, ()

    mesh.grid(rows, columns, vertex)
    return mesh


def receiver_meshes():
    body = superquadric_mesh(RECEIVER_BODY, 0.28, (0.0, 0.0, RECEIVER_BODY[2]))
    plug = superquadric_mesh(RECEIVER_PLUG, 0.12, (0.0, PLUG_CENTRE_Y, RECEIVER_BODY[2]))
    return body, plug


RECEIVER_PLASTIC = Material((0.02, 0.021, 0.025), specular=0.6, gloss=60, reflect=0.9, f0=0.05)
BRUSHED_METAL = Material((0.74, 0.75, 0.78), diffuse=0.7, specular=0.8, gloss=25, reflect=0.9, f0=0.65)


def receiver_body_material(p, n, attrs):
    x, y, z = p
    if n[2] > 0.9 and abs(x) < 3.2 and abs(y + 3.0) < 0.35:
        return CHROME
    return RECEIVER_PLASTIC


def receiver_plug_material(p, n, attrs):
    x, y, z = p
    if n[2] > 0.8 and 1.2 < abs(x) < 3.6 and PLUG_CENTRE_Y + 1.0 < y < PLUG_CENTRE_Y + 3.6:
        return GROOVE
    return BRUSHED_METAL

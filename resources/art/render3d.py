"""A small software renderer for the product pictures: triangle meshes, an orthographic camera,
a depth buffer, per-sample shading with studio lights, supersampling. Standard library only.
"""
import math
from array import array


def norm(v):
    length = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]) or 1.0
    return (v[0] / length, v[1] / length, v[2] / length)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


class Mesh:
    """Vertices with a position, a normal and extra attributes (tuples of floats) in the object's
    own coordinates, and triangles as index triples."""

    def __init__(self):
        self.positions = []
        self.normals = []
        self.attributes = []
        self.triangles = []

    def grid(self, rows, columns, vertex):
        """vertex(i, j) -> (position, normal, attributes) for i in 0..rows, j in 0..columns."""
        base = len(self.positions)
        for i in range(rows + 1):
            for j in range(columns + 1):
                p, n, a = vertex(i, j)
                self.positions.append(p)
                self.normals.append(n)
                self.attributes.append(a)
        w = columns + 1
        for i in range(rows):
            for j in range(columns):
                a = base + i * w + j
                self.triangles.append((a, a + 1, a + w))
                self.triangles.append((a + 1, a + w + 1, a + w))


class Camera:
    """Orthographic, looking from the viewer's side (-y) down at `elevation` degrees; world z is up.
    Screen x = scale * world x + tx; screen y grows downward."""

    def __init__(self, elevation, scale=1.0, tx=0.0, ty=0.0):
        self.elevation = elevation
        e = math.radians(elevation)
        self.sin_e, self.cos_e = math.sin(e), math.cos(e)
        self.scale, self.tx, self.ty = scale, tx, ty
        self.view = (0.0, -self.cos_e, self.sin_e)  # toward the camera

    def project(self, p):
        x, y, z = p
        sx = self.scale * x + self.tx
        sy = -self.scale * (y * self.sin_e + z * self.cos_e) + self.ty
        depth = -y * self.cos_e + z * self.sin_e
        return sx, sy, depth

    def ground_point(self, sx, sy):
        """The world point on z = 0 seen at screen (sx, sy)."""
        x = (sx - self.tx) / self.scale
        y = -((sy - self.ty) / self.scale) / self.sin_e
        return (x, y, 0.0)


class Placement:
    """Object to world: turned by `yaw` degrees about z, then moved."""

    def __init__(self, yaw=0.0, offset=(0.0, 0.0, 0.0)):
        a = math.radians(yaw)
        self.c, self.s = math.cos(a), math.sin(a)
        self.offset = offset

    def point(self, p):
        return (self.c * p[0] - self.s * p[1] + self.offset[0], self.s * p[0] + self.c * p[1] + self.offset[1],
                p[2] + self.offset[2])

    def direction(self, v):
        return (self.c * v[0] - self.s * v[1], self.s * v[0] + self.c * v[1], v[2])


class Material:
    def __init__(self, albedo, diffuse=1.0, specular=0.0, gloss=20.0, reflect=0.0, f0=0.04, normal=None):
        self.albedo = albedo
        self.diffuse = diffuse
        self.specular = specular
        self.gloss = gloss
        self.reflect = reflect
        self.f0 = f0
        self.normal = normal  # object-space normal replacing the interpolated one


class Studio:
    """Lights and a reflected environment, all in world directions."""

    def __init__(self):
        self.ambient = 0.05
        self.lights = [  # direction toward the light, colour
            (norm((-0.55, -0.55, 0.75)), (1.0, 0.98, 0.95)),
            (norm((0.8, 0.3, 0.45)), (0.35, 0.4, 0.48)),
            (norm((0.2, 0.95, 0.35)), (0.55, 0.6, 0.7)),
        ]
        self.softboxes = [  # direction, cosine where it starts, cosine where it is full, intensity
            (norm((-0.45, -0.35, 0.82)), math.cos(math.radians(32)), math.cos(math.radians(18)), 1.6),
            (norm((0.75, 0.45, 0.5)), math.cos(math.radians(14)), math.cos(math.radians(7)), 1.1),
            (norm((-0.2, 0.9, 0.4)), math.cos(math.radians(20)), math.cos(math.radians(10)), 0.7),
        ]

    def environment(self, r):
        value = 0.012 + 0.08 * smoothstep(-0.3, 1.0, r[2])
        for direction, start, full, intensity in self.softboxes:
            value += intensity * smoothstep(start, full, dot(r, direction))
        return value

    def shade(self, n, view, m):
        nv = dot(n, view)
        if nv < 0:
            n = norm((n[0] - nv * view[0] * 1.01, n[1] - nv * view[1] * 1.01, n[2] - nv * view[2] * 1.01))
            nv = dot(n, view)
        r, g, b = m.albedo
        lr = lg = lb = self.ambient
        spec = 0.0
        for direction, colour in self.lights:
            d = dot(n, direction)
            if d > 0:
                lr += d * colour[0] * m.diffuse
                lg += d * colour[1] * m.diffuse
                lb += d * colour[2] * m.diffuse
                if m.specular:
                    h = norm((direction[0] + view[0], direction[1] + view[1], direction[2] + view[2]))
                    hn = dot(n, h)
                    if hn > 0:
                        spec += m.specular * hn ** m.gloss * (colour[0] + colour[1] + colour[2]) / 3
        out_r, out_g, out_b = r * lr + spec, g * lg + spec, b * lb + spec
        if m.reflect:
            refl = (2 * nv * n[0] - view[0], 2 * nv * n[1] - view[1], 2 * nv * n[2] - view[2])
            fresnel = m.f0 + (1 - m.f0) * (1 - max(0.0, nv)) ** 5
            env = m.reflect * fresnel * self.environment(refl)
            # Metals tint what they reflect.
            tint = (r, g, b) if m.f0 > 0.3 else (1.0, 1.0, 1.0)
            out_r += env * tint[0]
            out_g += env * tint[1]
            out_b += env * tint[2]
        return out_r, out_g, out_b


class SceneObject:
    def __init__(self, mesh, placement, material):
        """material(position, normal, attributes) -> Material, all in object coordinates."""
        self.mesh = mesh
        self.placement = placement
        self.material = material


def render(objects, camera, width, height, supersample=3, studio=None, exposure=1.0):
    """Returns rows of straight RGBA (0-255) pixels; what no object covers is transparent."""
    studio = studio or Studio()
    k = supersample
    sw, sh = width * k, height * k
    depth = array('f', [-1e30]) * (sw * sh)
    colour = [None] * (sw * sh)
    view = camera.view
    for obj in objects:
        mesh, place = obj.mesh, obj.placement
        projected = []
        for p in mesh.positions:
            x, y, d = camera.project(place.point(p))
            projected.append((x * k, y * k, d))
        world_normals = [norm(place.direction(n)) for n in mesh.normals]
        for ia, ib, ic in mesh.triangles:
            na, nb, nc = world_normals[ia], world_normals[ib], world_normals[ic]
            if dot(na, view) < -0.2 and dot(nb, view) < -0.2 and dot(nc, view) < -0.2:
                continue
            ax, ay, ad = projected[ia]
            bx, by, bd = projected[ib]
            cx, cy, cd = projected[ic]
            area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax)
            if abs(area) < 1e-9:
                continue
            x0 = max(0, int(math.floor(min(ax, bx, cx))))
            x1 = min(sw - 1, int(math.ceil(max(ax, bx, cx))))
            y0 = max(0, int(math.floor(min(ay, by, cy))))
            y1 = min(sh - 1, int(math.ceil(max(ay, by, cy))))
            if x0 > x1 or y0 > y1:
                continue
            inv = 1.0 / area
            pa, pb, pc = mesh.positions[ia], mesh.positions[ib], mesh.positions[ic]
            oa, ob, oc = mesh.normals[ia], mesh.normals[ib], mesh.normals[ic]
            ta, tb, tc = mesh.attributes[ia], mesh.attributes[ib], mesh.attributes[ic]
            for sy in range(y0, y1 + 1):
                py = sy + 0.5
                row = sy * sw
                for sx in range(x0, x1 + 1):
                    px = sx + 0.5
                    wa = ((bx - px) * (cy - py) - (by - py) * (cx - px)) * inv
                    wb = ((cx - px) * (ay - py) - (cy - py) * (ax - px)) * inv
                    wc = 1.0 - wa - wb
                    if wa < -1e-6 or wb < -1e-6 or wc < -1e-6:
                        continue
                    d = wa * ad + wb * bd + wc * cd
                    index = row + sx
                    if d <= depth[index]:
                        continue
                    depth[index] = d
                    p = (wa * pa[0] + wb * pb[0] + wc * pc[0], wa * pa[1] + wb * pb[1] + wc * pc[1],
                         wa * pa[2] + wb * pb[2] + wc * pc[2])
                    n = norm((wa * oa[0] + wb * ob[0] + wc * oc[0], wa * oa[1] + wb * ob[1] + wc * oc[1],
                              wa * oa[2] + wb * ob[2] + wc * oc[2]))
                    attrs = tuple(wa * u + wb * v + wc * w for u, v, w in zip(ta, tb, tc))
                    m = obj.material(p, n, attrs)
                    if m.normal is not None:
                        n = m.normal
                    colour[index] = studio.shade(norm(place.direction(n)), view, m)
    rows = []
    gamma = 1 / 2.2
    for y in range(height):
        row = []
        for x in range(width):
            r = g = b = 0.0
            covered = 0
            for j in range(k):
                base = (y * k + j) * sw + x * k
                for i in range(k):
                    c = colour[base + i]
                    if c is not None:
                        covered += 1
                        # Each sample tone-mapped before averaging keeps bright edges smooth.
                        r += min(1.0, c[0] * exposure) ** gamma
                        g += min(1.0, c[1] * exposure) ** gamma
                        b += min(1.0, c[2] * exposure) ** gamma
            if covered:
                row.append((round(255 * r / covered), round(255 * g / covered), round(255 * b / covered),
                            round(255 * covered / (k * k))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows

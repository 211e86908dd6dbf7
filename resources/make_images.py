#!/usr/bin/env python3
"""Draws every PNG image of the program into resources/images/.

The PNGs are committed, so a build needs none of this; run it after changing a drawing:

    python3 resources/make_images.py            # everything
    python3 resources/make_images.py 129 149    # only those ids

Python's standard library plus rsvg-convert (Debian package librsvg2-bin) for the vector
drawings and the lettering. The mouse and its receiver are rendered in 3-D by art/render3d.py.
"""
import base64
import math
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from art import mouse as m  # noqa: E402
from art import png, svg  # noqa: E402
from art import render3d as r3  # noqa: E402

OUT = HERE / 'images'

# ---- helpers -----------------------------------------------------------------------------------


def save(name, width, height, rows, alpha=True):
    assert len(rows) == height and all(len(r) == width for r in rows), name
    (OUT / name).write_bytes(png.encode(width, height, rows, alpha=alpha))
    print(f'  {name}: {width} x {height}{"" if alpha else ", no alpha"}')


def data_uri(width, height, rows):
    return 'data:image/png;base64,' + base64.b64encode(png.encode(width, height, rows)).decode('ascii')


def path_of(points, close=True):
    d = 'M' + ' L'.join(f'{x:.2f},{y:.2f}' for x, y in points)
    return d + (' Z' if close else '')


def over(top, bottom):
    """Straight-alpha `top` composited over `bottom`, pixel rows of equal size."""
    out = []
    for trow, brow in zip(top, bottom):
        row = []
        for (r, g, b, a), (br, bg, bb, ba) in zip(trow, brow):
            fa = a / 255
            oa = fa + ba / 255 * (1 - fa)
            if oa <= 0:
                row.append((0, 0, 0, 0))
                continue
            mix = [(c * fa + d * (ba / 255) * (1 - fa)) / oa for c, d in ((r, br), (g, bg), (b, bb))]
            row.append((round(mix[0]), round(mix[1]), round(mix[2]), round(oa * 255)))
        out.append(row)
    return out


# ---- the mouse in the product picture -----------------------------------------------------------

PICTURE_W, PICTURE_H = 665, 490
ELEVATION = 40.0
# Where the middle of each side button must appear: the editor's leader lines end there.
FORWARD_BUTTON_AT = (387.0, 283.0)
BACK_BUTTON_AT = (413.0, 239.0)


def product_camera():
    """Turns the mouse and scales the view so that both side buttons land where the editor points."""
    forward = m.left_flank_point(*m.FORWARD_BUTTON[0])
    back = m.left_flank_point(*m.BACK_BUTTON[0])
    wanted = math.atan2(FORWARD_BUTTON_AT[1] - BACK_BUTTON_AT[1], FORWARD_BUTTON_AT[0] - BACK_BUTTON_AT[0])

    def delta(yaw):
        camera, place = r3.Camera(ELEVATION), r3.Placement(yaw)
        a, b = camera.project(place.point(forward)), camera.project(place.point(back))
        return a[0] - b[0], a[1] - b[1]

    def error(yaw):
        dx, dy = delta(yaw)
        d = math.atan2(dy, dx) - wanted
        return abs(math.atan2(math.sin(d), math.cos(d)))

    yaw = min((i / 20 for i in range(7200)), key=error)
    dx, dy = delta(yaw)
    scale = math.hypot(FORWARD_BUTTON_AT[0] - BACK_BUTTON_AT[0], FORWARD_BUTTON_AT[1] - BACK_BUTTON_AT[1]) / math.hypot(dx, dy)
    place = r3.Placement(yaw)
    a = r3.Camera(ELEVATION, scale).project(place.point(forward))
    camera = r3.Camera(ELEVATION, scale, FORWARD_BUTTON_AT[0] - a[0], FORWARD_BUTTON_AT[1] - a[1])
    return camera, place


def logo_mask(text='TELVO', width=280, height=100):
    rows = svg.render(svg.document(width, height,
                                   f'<text x="{width / 2}" y="{height * 0.78}" text-anchor="middle" '
                                   f'font-family="URW Gothic, DejaVu Sans" font-weight="bold" font-size="{height * 0.8}" '
                                   f'letter-spacing="{height * 0.12}" fill="#fff">{text}</text>'), width, height)

    def sample(u, v):
        x = min(width - 1, max(0, int(u * width)))
        y = min(height - 1, max(0, int(v * height)))
        return rows[y][x][3] / 255

    return sample


def footprint(place, camera, shrink=1.0, offset=(0.0, 0.0, 0.0)):
    points = []
    for i in range(120):
        theta = -math.pi / 2 + 2 * math.pi * i / 120
        x, y, _ = m.body_point(theta, -0.08)
        p = place.point((x * shrink, (y - m.PEAK[1]) * shrink + m.PEAK[1], 0.0))
        sx, sy, _ = camera.project((p[0] + offset[0], p[1] + offset[1], 0.0))
        points.append((sx, sy))
    return points


def box_footprint(place, camera, half_x, y0, y1, grow=0.0):
    corners = [(-half_x - grow, y0 - grow), (half_x + grow, y0 - grow), (half_x + grow, y1 + grow),
               (-half_x - grow, y1 + grow)]
    return [camera.project(place.point((x, y, 0.0)))[:2] for x, y in corners]


# The extra key sits on the split between the main buttons, behind the wheel; the editor's callout
# points at it (ui/editor_layout.cpp).
EXTRA_KEY = (302, 197)


def product_picture(supersample=3, zoom=1):
    """The main window's picture; `zoom` 2 draws the same picture with twice the pixels, for
    displays at more than 100 % scale."""
    camera, place = product_camera()
    receiver_place = r3.Placement(118.0, camera.ground_point(548.0, 392.0))
    mats = m.MouseMaterials(logo_mask())
    body_mesh, plug_mesh = m.receiver_meshes()
    objects = [
        r3.SceneObject(m.body_mesh(), place, mats.body),
        r3.SceneObject(m.wheel_mesh(), place, mats.wheel),
        r3.SceneObject(body_mesh, receiver_place, m.receiver_body_material),
        r3.SceneObject(plug_mesh, receiver_place, m.receiver_plug_material),
    ]
    zoomed_camera = r3.Camera(ELEVATION, camera.scale * zoom, camera.tx * zoom, camera.ty * zoom)
    rendered = r3.render(objects, zoomed_camera, PICTURE_W * zoom, PICTURE_H * zoom, supersample=supersample,
                         exposure=1.05)

    shadow_wide = path_of(footprint(place, camera, 1.02, (9.0, 7.0, 0.0)))
    shadow_tight = path_of(footprint(place, camera, 0.985))
    receiver_shadow = path_of(box_footprint(receiver_place, camera, m.RECEIVER_BODY[0], -m.RECEIVER_BODY[1],
                                            m.PLUG_CENTRE_Y + m.RECEIVER_PLUG[1], 0.4))
    defs = '''
      <linearGradient id="back" x1="0" y1="0" x2="0" y2="1">
        <stop offset="0" stop-color="#3d4045"/><stop offset="0.55" stop-color="#2a2c30"/>
        <stop offset="1" stop-color="#17181b"/></linearGradient>
      <radialGradient id="spot" cx="330" cy="235" r="340" gradientUnits="userSpaceOnUse">
        <stop offset="0" stop-color="#6b7078" stop-opacity="0.75"/>
        <stop offset="0.55" stop-color="#4a4e55" stop-opacity="0.25"/>
        <stop offset="1" stop-color="#000" stop-opacity="0"/></radialGradient>
      <radialGradient id="vignette" cx="332" cy="245" r="420" gradientUnits="userSpaceOnUse">
        <stop offset="0.6" stop-color="#000" stop-opacity="0"/>
        <stop offset="1" stop-color="#000" stop-opacity="0.55"/></radialGradient>
      <linearGradient id="rule" x1="0" x2="1"><stop offset="0" stop-color="#8bd45a"/>
        <stop offset="1" stop-color="#8bd45a" stop-opacity="0"/></linearGradient>
      <filter id="soft" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="11"/></filter>
      <filter id="contact" x="-10%" y="-10%" width="120%" height="120%"><feGaussianBlur stdDeviation="2.4"/></filter>
      <filter id="small" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="3.5"/></filter>
    '''
    sans = 'font-family="DejaVu Sans, Liberation Sans, sans-serif"'
    gothic = 'font-family="URW Gothic, DejaVu Sans, sans-serif"'
    body = f'''
      <rect width="{PICTURE_W}" height="{PICTURE_H}" fill="url(#back)"/>
      <rect width="{PICTURE_W}" height="{PICTURE_H}" fill="url(#spot)"/>
      <ellipse cx="330" cy="392" rx="300" ry="46" fill="#fff" opacity="0.035" filter="url(#soft)"/>
      <path d="{shadow_wide}" fill="#000" opacity="0.6" filter="url(#soft)"/>
      <path d="{shadow_tight}" fill="#000" opacity="0.85" filter="url(#contact)"/>
      <path d="{receiver_shadow}" fill="#000" opacity="0.75" filter="url(#small)"/>
      <image x="0" y="0" width="{PICTURE_W}" height="{PICTURE_H}" xlink:href="{data_uri(PICTURE_W * zoom, PICTURE_H * zoom, rendered)}"/>
      <g transform="translate({EXTRA_KEY[0]} {EXTRA_KEY[1]}) rotate(16)">
        <rect x="-4.5" y="-8" width="9" height="16" rx="4.5" fill="#16181b" stroke="#8d939b" stroke-width="1"/>
        <rect x="-2.5" y="-6" width="5" height="6" rx="2.5" fill="#fff" opacity="0.14"/>
      </g>
      <rect width="{PICTURE_W}" height="{PICTURE_H}" fill="url(#vignette)"/>

      <g transform="translate(34 30)">
        <rect x="0" y="0" width="30" height="30" rx="8" fill="#1c1f22" stroke="#8bd45a" stroke-width="1.6"/>
        <circle cx="10.5" cy="17" r="4.2" fill="#fff" stroke="#8bd45a" stroke-width="1.6"/>
        <circle cx="19.5" cy="13" r="4.2" fill="#fff" stroke="#8bd45a" stroke-width="1.6"/>
        <text x="42" y="24" {gothic} font-weight="bold" font-size="27" letter-spacing="4.5" fill="#eceef0">TELVO</text>
        <rect x="0" y="42" width="170" height="1.4" fill="url(#rule)"/>
        <text x="0" y="66" {gothic} font-size="19" letter-spacing="7" fill="#c3c7cc">MIRKAT</text>
        <text x="0" y="84" {sans} font-size="9.5" letter-spacing="2.2" fill="#858b93">2.4 GHz WIRELESS MOUSE</text>
      </g>
      <g {sans} font-size="9.5" letter-spacing="1.6" fill="#7b8189">
        <text x="34" y="458">TILT WHEEL  ·  GESTURES  ·  TWO SIDE BUTTONS</text>
        <text x="548" y="452" text-anchor="middle">NANO RECEIVER</text>
      </g>
    '''
    width, height = PICTURE_W * zoom, PICTURE_H * zoom
    rows = svg.render(svg.document(PICTURE_W, PICTURE_H, body, defs, zoom), width, height)
    name = 'product_picture.png' if zoom == 1 else f'product_picture_{zoom}x.png'
    save(name, width, height, [[p[:3] + (255,) for p in row] for row in rows], alpha=False)


def mouse_top_view(supersample=3):
    width, height = 320, 400
    camera = r3.Camera(90.0, 3.2, width / 2, height / 2 - 3.2 * 2)
    camera.view = (0.0, 0.0, 1.0)
    place = r3.Placement(0.0)
    mats = m.MouseMaterials(logo_mask())
    objects = [r3.SceneObject(m.body_mesh(), place, mats.body), r3.SceneObject(m.wheel_mesh(), place, mats.wheel)]
    rendered = r3.render(objects, camera, width, height, supersample=supersample)
    outline = footprint(place, camera, 1.0, (2.5, -2.5, 0.0))
    shadow = svg.render(svg.document(width, height, f'<path d="{path_of(outline)}" fill="#000" opacity="0.5" '
                                     'filter="url(#b)"/>', '<filter id="b"><feGaussianBlur stdDeviation="6"/></filter>'),
                        width, height)
    save('mouse_top_view.png', width, height, over(rendered, shadow))


def mouse_line_drawing():
    """Side and top views of the mouse as a line drawing with its main measures."""
    width, height = 540, 360
    scale = 2.55
    # Side view: the left flank, front to the right.
    side_x0, side_base = 40.0, 300.0
    # By symmetry the highest point of every cross-section lies on the centre line.
    centre = [m.body_point(-math.pi / 2, i / 200) for i in range(201)]
    centre += [m.body_point(math.pi / 2, 1 - i / 200) for i in range(201)]
    profile = [(side_x0 + (p[1] + m.HALF_LENGTH) * scale, side_base - p[2] * scale) for p in centre]
    side = [(side_x0, side_base)] + profile + [(side_x0 + m.LENGTH * scale, side_base)]
    belt = []
    for j in range(60):
        theta = math.pi / 2 + math.pi * j / 59
        p = m.body_point(theta, m.belt(theta))
        belt.append((side_x0 + (p[1] + m.HALF_LENGTH) * scale, side_base - p[2] * scale))
    buttons = ''
    for (cy, cz), (hy, hz), radius in m.SIDE_BUTTONS:
        buttons += (f'<rect x="{side_x0 + (cy - hy + m.HALF_LENGTH) * scale:.1f}" y="{side_base - (cz + hz) * scale:.1f}" '
                    f'width="{2 * hy * scale:.1f}" height="{2 * hz * scale:.1f}" rx="{radius * scale:.1f}"/>')
    # Top view, front up, beside the side view.
    top_cx, top_cy, top_scale = 440.0, 170.0, 2.0
    outline = []
    for i in range(120):
        theta = -math.pi / 2 + 2 * math.pi * i / 120
        x, y, _ = m.outline(theta)
        outline.append((top_cx + x * top_scale, top_cy - y * top_scale))
    seam = []
    for i in range(41):
        x = -24 + 48 * i / 40
        seam.append((top_cx + x * top_scale, top_cy - (6.0 - 0.006 * x * x) * top_scale))
    length_px = m.LENGTH * scale
    lines = '#2b3138'
    body = f'''
      <g fill="none" stroke="{lines}" stroke-width="2" stroke-linejoin="round" stroke-linecap="round">
        <path d="{path_of(side)}" fill="#ffffff" fill-opacity="0.55"/>
        <path d="{path_of(belt, close=False)}" stroke-width="1.3"/>
        <g stroke-width="1.5" fill="#ffffff" fill-opacity="0.7">{buttons}</g>
        <path d="{path_of(outline)}" fill="#ffffff" fill-opacity="0.55"/>
        <path d="M{top_cx:.1f},{top_cy - m.HALF_LENGTH * top_scale:.1f} L{top_cx:.1f},{seam[20][1]:.1f}" stroke-width="1.3"/>
        <path d="{path_of(seam, close=False)}" stroke-width="1.3"/>
        <rect x="{top_cx - 4.7 * top_scale:.1f}" y="{top_cy - (m.WHEEL_Y + 10.7) * top_scale:.1f}" width="{9.4 * top_scale:.1f}"
              height="{21.4 * top_scale:.1f}" rx="{4.7 * top_scale:.1f}" stroke-width="1.3"/>
      </g>
      <g stroke="{lines}" stroke-width="1" fill="{lines}" font-family="DejaVu Sans, sans-serif" font-size="12">
        <path d="M{side_x0},{side_base + 22} L{side_x0 + length_px},{side_base + 22}
                 M{side_x0},{side_base + 14} L{side_x0},{side_base + 30}
                 M{side_x0 + length_px},{side_base + 14} L{side_x0 + length_px},{side_base + 30}"/>
        <text x="{side_x0 + length_px / 2}" y="{side_base + 42}" text-anchor="middle" stroke="none">108 mm</text>
        <path d="M{top_cx - 31 * top_scale},{top_cy + 70 * top_scale} L{top_cx + 31 * top_scale},{top_cy + 70 * top_scale}
                 M{top_cx - 31 * top_scale},{top_cy + 66 * top_scale} L{top_cx - 31 * top_scale},{top_cy + 74 * top_scale}
                 M{top_cx + 31 * top_scale},{top_cy + 66 * top_scale} L{top_cx + 31 * top_scale},{top_cy + 74 * top_scale}"/>
        <text x="{top_cx}" y="{top_cy + 70 * top_scale + 20}" text-anchor="middle" stroke="none">62 mm</text>
        <text x="{side_x0}" y="40" stroke="none" font-size="14" letter-spacing="1.5">MIRKAT  —  SIDE AND TOP VIEW</text>
      </g>
    '''
    save('mouse_line_drawing.png', width, height, svg.render(svg.document(width, height, body), width, height))


# ---- small drawings ---------------------------------------------------------------------------

GREEN = '#3fbf3f'
GREEN_DARK = '#1f7a22'


def swipe_frame(direction, frame, zoom=1):
    """Two fingertips swiping: frame 0 at the start, frame 9 at the end, drawn for "up" and turned."""
    t = frame / 9
    ease = t * t * (3 - 2 * t)
    y = 25.0 - 18.0 * ease
    trail_top = y
    trail_bottom = min(29.0, y + 3 + 16 * ease)
    turn = {'up': 0, 'right': 90, 'down': 180, 'left': 270}[direction]
    discs = ''
    for x in (11.0, 21.0):
        if trail_bottom - trail_top > 1:
            discs += (f'<rect x="{x - 3.2}" y="{trail_top}" width="6.4" height="{trail_bottom - trail_top:.2f}" rx="3.2" '
                      f'fill="url(#trail)"/>')
        discs += (f'<circle cx="{x}" cy="{y:.2f}" r="4.1" fill="#fff" stroke="{GREEN}" stroke-width="1.7"/>'
                  f'<circle cx="{x - 1.2}" cy="{y - 1.3:.2f}" r="1.3" fill="#fff" opacity="0.9"/>')
    defs = (f'<linearGradient id="trail" x1="0" y1="{trail_top:.2f}" x2="0" y2="{trail_bottom:.2f}" '
            f'gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="{GREEN}" stop-opacity="0.85"/>'
            f'<stop offset="1" stop-color="{GREEN}" stop-opacity="0"/></linearGradient>')
    body = f'<g transform="rotate({turn} 16 16)">{discs}</g>'
    return svg.render(svg.document(32, 32, body, defs, zoom), 32 * zoom, 32 * zoom)


def swipe_icon(direction):
    turn = {'up': 0, 'right': 90, 'down': 180, 'left': 270}[direction]
    body = f'''<g transform="rotate({turn} 16 16)">
      <path d="M16,2.5 L23,10 L18.5,10 L18.5,15 L13.5,15 L13.5,10 L9,10 Z" fill="{GREEN}" stroke="{GREEN_DARK}"
            stroke-width="1" stroke-linejoin="round"/>
      <circle cx="10.5" cy="23" r="5" fill="#fff" stroke="{GREEN}" stroke-width="2"/>
      <circle cx="21.5" cy="23" r="5" fill="#fff" stroke="{GREEN}" stroke-width="2"/>
    </g>'''
    return svg.render(svg.document(32, 32, body), 32, 32)


OUTLINE = '#283039'

ICONS = {
    'folder': ('<linearGradient id="f" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffe08a"/>'
               '<stop offset="1" stop-color="#f2a93b"/></linearGradient>',
               f'''<path d="M2.5,6 Q2.5,4.5 4,4.5 L9,4.5 L11,6.5 L20,6.5 Q21.5,6.5 21.5,8 L21.5,9 L2.5,9 Z"
                     fill="#d9962e" stroke="#8a5a12" stroke-width="1" stroke-linejoin="round"/>
                   <path d="M2.5,9 L21.5,9 L21.5,18.5 Q21.5,20 20,20 L4,20 Q2.5,20 2.5,18.5 Z" fill="url(#f)"
                     stroke="#8a5a12" stroke-width="1" stroke-linejoin="round"/>
                   <path d="M3.5,10.2 L20.5,10.2" stroke="#fff3c9" stroke-width="1" opacity="0.8"/>'''),
    'copy': ('',
             f'''<path d="M8.5,2.5 L17,2.5 L20.5,6 L20.5,16.5 L8.5,16.5 Z" fill="#dfe6ee" stroke="{OUTLINE}"
                   stroke-linejoin="round"/>
                 <path d="M3.5,7.5 L12,7.5 L15.5,11 L15.5,21.5 L3.5,21.5 Z" fill="#fff" stroke="{OUTLINE}"
                   stroke-linejoin="round"/>
                 <path d="M12,7.5 L12,11 L15.5,11" fill="#cfd8e3" stroke="{OUTLINE}" stroke-linejoin="round"/>
                 <path d="M5.5,13.5 H13.5 M5.5,16 H13.5 M5.5,18.5 H11" stroke="#7f8ea0" stroke-width="1.1"/>'''),
    'paste': ('<linearGradient id="b" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#c98d4c"/>'
              '<stop offset="1" stop-color="#9a6430"/></linearGradient>',
              f'''<rect x="3.5" y="3.5" width="15" height="18" rx="1.6" fill="url(#b)" stroke="#5e3a16"/>
                  <rect x="7" y="2" width="8" height="4" rx="1.2" fill="#d5dae1" stroke="{OUTLINE}"/>
                  <path d="M10.5,9.5 L17.5,9.5 L20.5,12.5 L20.5,22.5 L10.5,22.5 Z" fill="#fff" stroke="{OUTLINE}"
                    stroke-linejoin="round"/>
                  <path d="M12.5,15 H18.5 M12.5,17.5 H18.5 M12.5,20 H16.5" stroke="#7f8ea0" stroke-width="1.1"/>'''),
    'no_function': ('',
                    '''<circle cx="12" cy="12" r="9.2" fill="#fff" stroke="#d32626" stroke-width="3"/>
                       <path d="M5.6,5.6 L18.4,18.4" stroke="#d32626" stroke-width="3"/>
                       <circle cx="12" cy="12" r="10.8" fill="none" stroke="#7a1010" stroke-width="0.6" opacity="0.6"/>'''),
    'expose': ('<linearGradient id="t" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#56606c"/>'
               '<stop offset="1" stop-color="#262b31"/></linearGradient>',
               ''.join(f'<rect x="{1.5 + 7.3 * c}" y="{1.5 + 7.3 * r}" width="6.2" height="6.2" rx="1.3" '
                       f'fill="url(#t)" stroke="#15191d" stroke-width="0.8"/>' for r in range(3) for c in range(3))),
    'my_computer': ('<linearGradient id="s" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#6cc0ff"/>'
                    '<stop offset="1" stop-color="#1d5fc4"/></linearGradient>',
                    f'''<rect x="2" y="3" width="20" height="14" rx="1.5" fill="#3a4049" stroke="{OUTLINE}"/>
                        <rect x="3.8" y="4.8" width="16.4" height="10.4" fill="url(#s)"/>
                        <path d="M3.8,4.8 L20.2,4.8 L3.8,12 Z" fill="#fff" opacity="0.18"/>
                        <path d="M9.5,17 L14.5,17 L15.5,20 L8.5,20 Z" fill="#8d96a3" stroke="{OUTLINE}"
                          stroke-linejoin="round"/>
                        <rect x="6" y="20" width="12" height="2" rx="1" fill="#5b646f" stroke="{OUTLINE}"
                          stroke-width="0.8"/>'''),
    'volume_down': ('', None),
    'volume_up': ('', None),
    'cut': ('', None),
    'snap_freeform': ('', None),
    'snap_rectangle': ('', None),
    'small_scissors': ('', None),
}


def speaker(sign):
    bar = '<path d="M15.5,12 H22"/>' + ('<path d="M18.75,8.75 V15.25"/>' if sign == '+' else '')
    return f'''<path d="M2.5,9 L6.5,9 L11.5,4.5 L11.5,19.5 L6.5,15 L2.5,15 Z" fill="#f3f5f7" stroke="{OUTLINE}"
                 stroke-linejoin="round"/>
               <path d="M6.5,9 L6.5,15" stroke="{OUTLINE}" stroke-width="0.8"/>
               <g stroke="#fff" stroke-width="4.2" stroke-linecap="round">{bar}</g>
               <g stroke="#1f8a3a" stroke-width="2.4" stroke-linecap="round">{bar}</g>'''


def icon_body(name):
    defs, body = ICONS[name]
    if name == 'volume_down':
        return defs, speaker('-')
    if name == 'volume_up':
        return defs, speaker('+')
    if name == 'cut':
        return defs, scissors_upright(0, 0, 24)
    if name == 'small_scissors':
        return defs, scissors_upright(4, 4, 16, handles='#9aa3ad', dark='#4b535c')
    if name == 'snap_freeform':
        outline = ('<path d="M4,5 C8,1.5 15,2.5 19.5,4.5 C23,6.5 21,11 19,13 C17,15.5 20,19 15,20.5 '
                   'C10,22 5.5,19 3.5,15 C1.5,11 1.5,7.5 4,5 Z" fill="#ffffff" fill-opacity="0.35" '
                   f'stroke="{OUTLINE}" stroke-width="1.3" stroke-dasharray="2.2 1.6"/>')
        return defs, outline + scissors_upright(7, 7, 17)
    if name == 'snap_rectangle':
        outline = (f'<rect x="2.5" y="2.5" width="19" height="16" fill="#ffffff" fill-opacity="0.35" stroke="{OUTLINE}" '
                   'stroke-width="1.3" stroke-dasharray="2.2 1.6"/>')
        return defs, outline + scissors_upright(7, 7, 17)
    return defs, body


def scissors_upright(x, y, size, handles='#2f7de1', dark='#17457e'):
    """Open scissors, blades up, rings at the bottom."""
    k = size / 24
    return f'''<g transform="translate({x} {y}) scale({k})">
      <path d="M9.9,15.4 L5.4,1.2 Q8.2,2.6 13.2,13.4 Z" fill="#eef1f4" stroke="{OUTLINE}" stroke-width="1"
        stroke-linejoin="round"/>
      <path d="M14.1,15.4 L18.6,1.2 Q15.8,2.6 10.8,13.4 Z" fill="#c3cbd4" stroke="{OUTLINE}" stroke-width="1"
        stroke-linejoin="round"/>
      <circle cx="7.6" cy="18.6" r="3.7" fill="none" stroke="{dark}" stroke-width="3.6"/>
      <circle cx="7.6" cy="18.6" r="3.7" fill="none" stroke="{handles}" stroke-width="2.3"/>
      <circle cx="16.4" cy="18.6" r="3.7" fill="none" stroke="{dark}" stroke-width="3.6"/>
      <circle cx="16.4" cy="18.6" r="3.7" fill="none" stroke="{handles}" stroke-width="2.3"/>
      <path d="M10.2,15.6 L11.2,14 M13.8,15.6 L12.8,14" stroke="{dark}" stroke-width="1.6"/>
      <circle cx="12" cy="13.4" r="1.1" fill="{OUTLINE}"/>
    </g>'''


def icon(name, zoom=1):
    defs, body = icon_body(name)
    return svg.render(svg.document(24, 24, body, defs, zoom), 24 * zoom, 24 * zoom)


# ---- images computed pixel by pixel --------------------------------------------------------------


def tip_panel(width=102, height=32, alpha=190, edge=7.0):
    """Black, `alpha` in the middle, fading to 0 over `edge` pixels at the border, corners rounded."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            px, py = x + 0.5, y + 0.5
            dx = max(edge - px, 0.0, px - (width - edge))
            dy = max(edge - py, 0.0, py - (height - edge))
            inside = edge - math.hypot(dx, dy)  # distance from the border, rounded at the corners
            t = min(1.0, max(0.0, inside / edge))
            row.append((0, 0, 0, round(alpha * t * t * (3 - 2 * t))))
        rows.append(row)
    return rows


def magnifier_frame(size=300, border=4, alpha=85):
    return [[(0, 0, 0, alpha) if min(x, y, size - 1 - x, size - 1 - y) < border else (0, 0, 0, 0)
             for x in range(size)] for y in range(size)]


def picker_texture(size=200):
    return [[(128, 128, 128, 255)] * size for _ in range(size)]


# ---- the table ------------------------------------------------------------------------------------

def swipe_set(first_id, direction, zoom=1):
    suffix = '' if zoom == 1 else f'_{zoom}x'
    offset = 0 if zoom == 1 else DOUBLE_SIZE_OFFSET
    return {first_id + offset + k: (f'swipe_{direction}_{k + 1:02d}{suffix}.png',
                                    lambda k=k: save(f'swipe_{direction}_{k + 1:02d}{suffix}.png', 32 * zoom, 32 * zoom,
                                                     swipe_frame(direction, k, zoom)))
            for k in range(10)}


# The pictures drawn at twice the size, for displays at more than 100 % scale, have the id of the
# picture plus this (ui/image_zoom.h).
DOUBLE_SIZE_OFFSET = 1000
DOUBLED_ICONS = {144: 'folder', 152: 'copy', 153: 'paste', 154: 'no_function', 155: 'expose', 156: 'my_computer',
                 161: 'volume_down', 162: 'volume_up', 168: 'small_scissors', 169: 'cut', 170: 'snap_freeform',
                 201: 'snap_rectangle'}


def doubled_icons():
    return {image_id + DOUBLE_SIZE_OFFSET: (f'{name}_2x.png', lambda name=name: save(f'{name}_2x.png', 48, 48, icon(name, 2)))
            for image_id, name in DOUBLED_ICONS.items()}


IMAGES = {
    129: ('product_picture.png', product_picture),
    203: ('product_picture_2x.png', lambda: product_picture(zoom=2)),
    **swipe_set(131, 'up'),
    **swipe_set(191, 'down'),
    **swipe_set(171, 'left'),
    **swipe_set(181, 'right'),
    144: ('folder.png', lambda: save('folder.png', 24, 24, icon('folder'))),
    147: ('mouse_top_view.png', mouse_top_view),
    148: ('picker_texture.png', lambda: save('picker_texture.png', 200, 200, picker_texture(), alpha=True)),
    149: ('tip_panel.png', lambda: save('tip_panel.png', 102, 32, tip_panel())),
    152: ('copy.png', lambda: save('copy.png', 24, 24, icon('copy'))),
    153: ('paste.png', lambda: save('paste.png', 24, 24, icon('paste'))),
    154: ('no_function.png', lambda: save('no_function.png', 24, 24, icon('no_function'))),
    155: ('expose.png', lambda: save('expose.png', 24, 24, icon('expose'))),
    156: ('my_computer.png', lambda: save('my_computer.png', 24, 24, icon('my_computer'))),
    157: ('swipe_icon_up.png', lambda: save('swipe_icon_up.png', 32, 32, swipe_icon('up'))),
    158: ('swipe_icon_down.png', lambda: save('swipe_icon_down.png', 32, 32, swipe_icon('down'))),
    159: ('swipe_icon_left.png', lambda: save('swipe_icon_left.png', 32, 32, swipe_icon('left'))),
    160: ('swipe_icon_right.png', lambda: save('swipe_icon_right.png', 32, 32, swipe_icon('right'))),
    161: ('volume_down.png', lambda: save('volume_down.png', 24, 24, icon('volume_down'))),
    162: ('volume_up.png', lambda: save('volume_up.png', 24, 24, icon('volume_up'))),
    165: ('magnifier_frame.png', lambda: save('magnifier_frame.png', 300, 300, magnifier_frame())),
    168: ('small_scissors.png', lambda: save('small_scissors.png', 24, 24, icon('small_scissors'))),
    169: ('cut.png', lambda: save('cut.png', 24, 24, icon('cut'))),
    170: ('snap_freeform.png', lambda: save('snap_freeform.png', 24, 24, icon('snap_freeform'))),
    201: ('snap_rectangle.png', lambda: save('snap_rectangle.png', 24, 24, icon('snap_rectangle'))),
    202: ('mouse_line_drawing.png', mouse_line_drawing),
    **doubled_icons(),
    **swipe_set(131, 'up', 2),
    **swipe_set(191, 'down', 2),
    **swipe_set(171, 'left', 2),
    **swipe_set(181, 'right', 2),
}


def main(argv):
    if not svg.available():
        sys.exit('rsvg-convert is missing: apt-get install librsvg2-bin')
    OUT.mkdir(exist_ok=True)
    wanted = [int(a) for a in argv] or sorted(IMAGES)
    for image_id in wanted:
        IMAGES[image_id][1]()


if __name__ == '__main__':
    main(sys.argv[1:])

#!/usr/bin/python3
"""Draw the gauge bitmaps listed in tools/assets/<Module>.manifest.

    python3 tools/make_assets.py            # every manifest
    python3 tools/make_assets.py flapdial   # only the named module(s)

Each manifest line becomes assets/<Module>/<id>.bmp: a Windows BMP, bottom-up,
8-bit palette or 24-bit as the line declares. The line format is described at
the top of every manifest. Output is deterministic: the same manifests give
byte-identical files. After writing, every file is read back and its size,
depth and length are checked against its manifest line.

Conventions: pure black RGB(0,0,0) is the transparent colour; visible dark
paint uses 'dark' (0x101010). 8-bit pictures get an adaptive palette with
index 0 reserved for pure black, so transparency stays exact.
"""
import math
import os
import shlex
import struct
import sys
from functools import lru_cache

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:  # e.g. a pyenv python ahead of Debian's on PATH
    if os.path.exists('/usr/bin/python3') and not os.environ.get('MAKE_ASSETS_REEXEC'):
        os.environ['MAKE_ASSETS_REEXEC'] = '1'
        os.execv('/usr/bin/python3', ['/usr/bin/python3'] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MANIFEST_DIR = os.path.join(ROOT, 'tools', 'assets')
ASSET_DIR = os.path.join(ROOT, 'assets')

# ---------------------------------------------------------------------------
# Colours and fonts

NAMED = {
    'clear': (0, 0, 0), 'dark': (16, 16, 16), 'face': (26, 26, 28),
    'panel': (52, 54, 58), 'bezel': (78, 78, 82), 'grey': (128, 128, 128),
    'light': (190, 190, 190), 'white': (236, 236, 236), 'red': (210, 32, 32),
    'amber': (245, 160, 20), 'yellow': (240, 220, 40), 'green': (40, 200, 60),
    'cyan': (40, 200, 220), 'magenta': (220, 60, 200), 'orange': (245, 120, 20),
    'sky': (40, 110, 200), 'ground': (125, 82, 40), 'olive': (70, 72, 52),
}


def colour(s):
    s = s.strip()
    if s.startswith('#'):
        return tuple(int(s[i:i + 2], 16) for i in (1, 3, 5))
    return NAMED[s]


def scaled(c, k):
    """Colour c dimmed by factor k, never pure black."""
    r = tuple(max(1, min(255, int(round(v * k)))) for v in c)
    return r


FONT_DIRS = ['/usr/share/fonts/truetype/liberation2',
             '/usr/share/fonts/truetype/liberation',
             '/usr/share/fonts/truetype/dejavu']
FONT_FILES = {
    'sans': ['LiberationSans-Bold.ttf', 'DejaVuSans-Bold.ttf'],
    'plain': ['LiberationSans-Regular.ttf', 'DejaVuSans.ttf'],
    'mono': ['LiberationMono-Bold.ttf', 'DejaVuSansMono-Bold.ttf'],
    'narrow': ['DejaVuSansCondensed-Bold.ttf', 'LiberationSans-Bold.ttf'],
}


@lru_cache(maxsize=None)
def font(size, face='sans'):
    for name in FONT_FILES.get(face, FONT_FILES['sans']):
        for d in FONT_DIRS:
            p = os.path.join(d, name)
            if os.path.exists(p):
                return ImageFont.truetype(p, int(size))
    return ImageFont.load_default()


def ctext(d, x, y, text, size, fill, face='sans'):
    """Text centred on (x, y); '~' breaks lines."""
    lines = text.split('~')
    f = font(size, face)
    step = size * 1.1
    y0 = y - step * (len(lines) - 1) / 2
    for i, line in enumerate(lines):
        if not line:
            continue
        l, t, r, b = d.textbbox((0, 0), line, font=f)
        d.text((round(x - (l + r) / 2), round(y0 + i * step - (t + b) / 2)),
               line, font=f, fill=fill)


# ---------------------------------------------------------------------------
# Manifest parsing

class Line:
    def __init__(self, module, lineno, text):
        body, _, self.desc = text.partition(' | ')
        tok = shlex.split(body)
        if len(tok) < 4:
            raise ValueError('%s:%d: need id, size, depth and kind' % (module, lineno))
        self.module, self.lineno = module, lineno
        self.id = int(tok[0])
        w, h = tok[1].lower().split('x')
        self.w, self.h = int(w), int(h)
        self.depth = int(tok[2])
        if self.depth not in (8, 24):
            raise ValueError('%s:%d: depth must be 8 or 24' % (module, lineno))
        self.kind = tok[3]
        self.items = []
        for t in tok[4:]:
            k, eq, v = t.partition('=')
            if not eq:
                raise ValueError('%s:%d: expected key=value, got %r' % (module, lineno, t))
            self.items.append((k, v))

    def get(self, k, default=None):
        for key, v in reversed(self.items):
            if key == k:
                return v
        return default

    def num(self, k, default=None):
        v = self.get(k)
        return default if v is None else float(v)

    def nums(self, k, default=None):
        v = self.get(k)
        return default if v is None else [float(x) for x in v.split(',')]

    def col(self, k, default):
        return colour(self.get(k, default))


def read_manifest(module):
    path = os.path.join(MANIFEST_DIR, module + '.manifest')
    lines = []
    with open(path, encoding='utf-8') as f:
        for n, text in enumerate(f, 1):
            text = text.rstrip('\n')
            if not text.strip() or text.lstrip().startswith('#'):
                continue
            lines.append(Line(module, n, text))
    ids = [ln.id for ln in lines]
    dup = sorted({i for i in ids if ids.count(i) > 1})
    if dup:
        raise ValueError('%s: duplicate ids %s' % (module, dup))
    return lines


# ---------------------------------------------------------------------------
# Primitives, usable on every kind, drawn in manifest order after the kind's
# own drawing. Coordinates are bitmap pixels; bearings are degrees clockwise
# from straight up.

def _split(v, n_num):
    parts = v.split(',')
    return [float(x) for x in parts[:n_num]], parts[n_num:]


def draw_primitives(d, ln):
    for k, v in ln.items:
        if k == 'rect':
            (x, y, w, h), c = _split(v, 4)
            d.rectangle([x, y, x + w - 1, y + h - 1], fill=colour(c[0]),
                        outline=colour(c[1]) if len(c) > 1 else None)
        elif k == 'disc':
            (cx, cy, r), c = _split(v, 3)
            d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=colour(c[0]),
                      outline=colour(c[1]) if len(c) > 1 else None)
        elif k == 'ring':
            (cx, cy, r, w), c = _split(v, 4)
            d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=colour(c[0]), width=int(w))
        elif k == 'arc':
            (cx, cy, r, w, b0, b1), c = _split(v, 6)
            d.arc([cx - r, cy - r, cx + r, cy + r], b0 - 90, b1 - 90,
                  fill=colour(c[0]), width=int(w))
        elif k == 'line':
            (x0, y0, x1, y1, w), c = _split(v, 5)
            d.line([x0, y0, x1, y1], fill=colour(c[0]), width=int(w))
        elif k == 'poly':
            parts = v.split(',')
            pts = [float(x) for x in parts[:-1]]
            d.polygon(list(zip(pts[0::2], pts[1::2])), fill=colour(parts[-1]))
        elif k == 'label':
            (x, y, size), rest = _split(v, 3)
            c, txt = rest[0], ','.join(rest[1:])
            ctext(d, x, y, txt, size, colour(c))
        elif k == 'cut':
            (x, y, w, h), _ = _split(v, 4)
            d.rectangle([x, y, x + w - 1, y + h - 1], fill=(0, 0, 0))
        elif k == 'hole':
            (cx, cy, r), _ = _split(v, 3)
            d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(0, 0, 0))
        elif k == 'screws':
            (inset, r), _ = _split(v, 2)
            for x in (inset, ln.w - 1 - inset):
                for y in (inset, ln.h - 1 - inset):
                    d.ellipse([x - r, y - r, x + r, y + r], fill=(110, 110, 112),
                              outline=(60, 60, 62))
                    d.line([x - r + 1, y, x + r - 1, y], fill=(50, 50, 52))


# ---------------------------------------------------------------------------
# Needle scales: the value-to-point table of a needle, turned into bearings
# about the pivot. The needle angle between rows is interpolated linearly and
# the end segments are extended; rows are taken turning clockwise (dir=ccw
# for the other way).

def bearing(px, py, x, y):
    return math.degrees(math.atan2(x - px, -(y - py))) % 360.0


class Scale:
    def __init__(self, pivot, rows, cw=True):
        self.vals = [r[0] for r in rows]
        b = [bearing(pivot[0], pivot[1], r[1], r[2]) for r in rows]
        self.ang = [b[0]]
        for i in range(1, len(b)):
            if cw:
                delta = (b[i] - b[i - 1]) % 360.0
            else:
                delta = -((b[i - 1] - b[i]) % 360.0)
            if abs(delta) > 359.999:
                delta = 0.0
            self.ang.append(self.ang[-1] + delta)

    def angle(self, v):
        vs, a = self.vals, self.ang
        if len(vs) == 1:
            return a[0]
        if v <= vs[0]:
            i = 0
        elif v >= vs[-1]:
            i = len(vs) - 2
        else:
            i = next(j for j in range(len(vs) - 1) if vs[j] <= v <= vs[j + 1])
        if vs[i + 1] == vs[i]:
            return a[i]
        return a[i] + (v - vs[i]) * (a[i + 1] - a[i]) / (vs[i + 1] - vs[i])


def parse_rows(text):
    rows = []
    for item in text.split():
        v, _, pt = item.partition(':')
        x, y = pt.split(',')
        rows.append((float(v), float(x), float(y)))
    return rows


def frange(rng):
    a, b, s = (float(x) for x in rng.split(':'))
    n = int(math.floor((b - a) / s + 1e-6))
    return [a + i * s for i in range(n + 1)]


def polar(cx, cy, r, b):
    t = math.radians(b)
    return cx + r * math.sin(t), cy - r * math.cos(t)


def draw_scale(d, ln):
    ox, oy = ln.nums('at', [0, 0])
    gx, gy = ln.nums('pivot')
    cx, cy = gx - ox, gy - oy
    sc = Scale((gx, gy), parse_rows(ln.get('table')), ln.get('dir', 'cw') != 'ccw')
    r = ln.num('r', 100)
    mlen = ln.num('len', 12)
    tlen = ln.num('tlen', 6)
    fsize = ln.num('font', 14)
    lr = ln.num('lr', r - mlen - fsize * 0.9)
    mc = ln.col('mcolour', 'white')
    for rng in ln.get("ticks", "").split():
        for v in frange(rng):
            b = sc.angle(v)
            d.line([polar(cx, cy, r - tlen, b), polar(cx, cy, r, b)], fill=mc, width=2)
    for item in ln.get('marks', '').split():
        v, _, label = item.partition(':')
        b = sc.angle(float(v))
        d.line([polar(cx, cy, r - mlen, b), polar(cx, cy, r, b)], fill=mc, width=4)
        if label:
            x, y = polar(cx, cy, lr, b)
            ctext(d, x, y, label, fsize, mc)
    for item in ln.get('bands', '').split():
        v0, v1, c, w = item.split(':')
        v0, v1, w = float(v0), float(v1), int(w)
        n = max(2, int(abs(sc.angle(v1) - sc.angle(v0)) / 2) + 2)
        pts = [polar(cx, cy, r + w / 2 + 1, sc.angle(v0 + (v1 - v0) * i / (n - 1)))
               for i in range(n)]
        d.line(pts, fill=colour(c), width=w)


# ---------------------------------------------------------------------------
# Kinds

def k_panel(img, d, ln):
    d.rectangle([0, 0, ln.w, ln.h], fill=ln.col('bg', 'panel'))


def k_dial(img, d, ln):
    d.rectangle([0, 0, ln.w, ln.h], fill=ln.col('bg', 'panel'))
    disc = ln.nums('round')
    if disc:
        cx, cy, r = disc
        d.ellipse([cx - r - 4, cy - r - 4, cx + r + 4, cy + r + 4], fill=ln.col('rim', 'bezel'))
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=ln.col('face', 'face'))
    draw_primitives(d, ln)
    draw_scale(d, ln)
    return True  # primitives already drawn (under the scale)


def k_needle(img, d, ln):
    W, H = ln.w, ln.h
    hx, hy = ln.nums('hub')
    c = ln.col('colour', 'white')
    w = ln.num('width', max(3, H / 4))
    t = ln.num('tip', 2)
    tail = ln.num('tail', 0)
    style = ln.get('style', 'bar')
    end = ln.num('len', W - 1 - hx) + hx
    x0 = max(0, hx - tail)
    if style in ('bar', 'striped'):
        xe = end - max(2, t * 2)
        pts = [(x0, hy - w / 2), (xe, hy - t / 2), (end, hy), (xe, hy + t / 2), (x0, hy + w / 2)]
        if style == 'striped':
            m = Image.new('L', (W, H), 0)
            ImageDraw.Draw(m).polygon(pts, fill=255)
            stripes = Image.new('RGB', (W, H), c)
            sd = ImageDraw.Draw(stripes)
            seg = ln.num('seg', 8)
            sc = ln.col('stripe', 'red')
            x = hx
            while x < W:
                sd.polygon([(x, 0), (x + seg, 0), (x + seg - H, H), (x - H, H)], fill=sc)
                x += 2 * seg
            img.paste(stripes, (0, 0), m)
        else:
            d.polygon(pts, fill=c)
    elif style == 'bug':
        bl = ln.num('buglen', 14)
        if t >= 1:
            d.line([(hx, hy), (end - bl, hy)], fill=c, width=int(t))
        bh = H / 2 - 1
        d.polygon([(end - bl, hy - bh), (end, hy - bh), (end, hy + bh), (end - bl, hy + bh),
                   (end - bl + bl / 2, hy)], fill=ln.col('bugc', 'orange'))
    elif style == 'tri':
        bl = ln.num('buglen', 14)
        bh = H / 2 - 1
        if t >= 1:
            d.line([(hx, hy), (end - bl, hy)], fill=c, width=int(t))
        d.polygon([(end, hy), (end - bl, hy - bh), (end - bl, hy + bh)], fill=ln.col('bugc', 'green'))
    cap = ln.num('cap', 0)
    if cap:
        d.ellipse([hx - cap, hy - cap, hx + cap, hy + cap], fill=ln.col('capc', 'grey'))


def k_drum(img, d, ln):
    W, H = ln.w, ln.h
    d.rectangle([0, 0, W, H], fill=ln.col('bg', 'dark'))
    fg = ln.col('fg', 'white')
    labels = ln.get('labels').split()
    win = ln.num('win')
    vertical = ln.get('orient', 'v') == 'v'
    length = H if vertical else W
    step = (length - win) / (len(labels) - 1)
    fsize = ln.num('font', min(W if vertical else H, step) * 0.8)
    ticks = int(ln.num('ticks', 0))
    for i, lab in enumerate(labels):
        c = win / 2 + i * step
        if lab != '.':
            if vertical:
                ctext(d, W / 2, c, lab, fsize, fg, ln.get('face', 'sans'))
            else:
                ctext(d, c, H * 0.62, lab, fsize, fg, ln.get('face', 'sans'))
        if ticks and not vertical:
            d.line([(c, 0), (c, H * 0.3)], fill=fg, width=2)
            if i < len(labels) - 1:
                for k in range(1, ticks):
                    x = c + step * k / ticks
                    d.line([(x, 0), (x, H * 0.18)], fill=fg, width=1)


def k_mask(img, d, ln):
    d.rectangle([0, 0, ln.w, ln.h], fill=ln.col('colour', 'white'))


def k_lamp(img, d, ln):
    W, H = ln.w, ln.h
    c = ln.col('colour', 'amber')
    lit = ln.get('lit', '1') == '1'
    body = c if lit else scaled(c, 0.3)
    tc = NAMED['dark'] if lit else scaled(c, 0.6)
    if ln.get('shape', 'disc') == 'disc':
        d.ellipse([1, 1, W - 2, H - 2], fill=NAMED['bezel'])
        d.ellipse([3, 3, W - 4, H - 4], fill=body)
    else:
        d.rectangle([0, 0, W - 1, H - 1], fill=NAMED['bezel'])
        d.rectangle([2, 2, W - 3, H - 3], fill=body)
    ctext(d, W / 2, H / 2, ln.get('text', ''), ln.num('font', min(W, H) * 0.4), tc)


def k_flag(img, d, ln):
    W, H = ln.w, ln.h
    c1, c2 = (colour(x) for x in ln.get('stripes', 'red,white').split(','))
    d.rectangle([0, 0, W, H], fill=c1)
    sw = ln.num('sw', 6)
    x = -H
    while x < W + H:
        d.polygon([(x, 0), (x + sw, 0), (x + sw + H, H), (x + H, H)], fill=c2)
        x += 2 * sw
    text = ln.get('text', '')
    if text:
        fs = ln.num('font', min(W, H) * 0.5)
        lines = text.split('~')
        f = font(fs)
        tw = max(d.textbbox((0, 0), s, font=f)[2] for s in lines)
        th = fs * 1.1 * len(lines)
        d.rectangle([W / 2 - tw / 2 - 2, H / 2 - th / 2 - 1, W / 2 + tw / 2 + 2, H / 2 + th / 2 + 1],
                    fill=NAMED['dark'])
        ctext(d, W / 2, H / 2, text, fs, ln.col('tcolour', 'white'))


def k_button(img, d, ln):
    W, H = ln.w, ln.h
    d.rectangle([0, 0, W, H], fill=ln.col('bg', 'clear'))
    x, y, w, h = ln.nums('box', [0, 0, W, H])
    lit = ln.get('lit', '0') == '1'
    d.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=min(w, h) / 6,
                        fill=ln.col('colour', 'grey'), outline=NAMED['light'], width=2)
    inner = ln.col('litc', 'green') if lit else ln.col('offc', 'dark')
    m = max(3, min(w, h) / 8)
    d.rounded_rectangle([x + m, y + m, x + w - 1 - m, y + h - 1 - m], radius=min(w, h) / 8,
                        fill=inner)
    ctext(d, x + w / 2, y + h / 2, ln.get('text', ''), ln.num('font', min(w, h) * 0.3),
          NAMED['dark'] if lit else ln.col('tcolour', 'white'))


def k_knob(img, d, ln):
    W, H = ln.w, ln.h
    cx, cy = ln.nums('hub', [(W - 1) / 2, (H - 1) / 2])
    r = ln.num('r', min(W, H) / 2 - 1)
    a = ln.num('angle', 0)  # index direction, degrees clockwise from +x
    c = ln.col('colour', 'grey')
    n = int(ln.num('grip', 16))
    pts = []
    for i in range(2 * n):
        t = math.radians(a + i * 180.0 / n)
        rr = r if i % 2 == 0 else r * 0.88
        pts.append((cx + rr * math.cos(t), cy + rr * math.sin(t)))
    d.polygon(pts, fill=scaled(c, 0.7))
    d.ellipse([cx - r * 0.78, cy - r * 0.78, cx + r * 0.78, cy + r * 0.78], fill=c)
    t = math.radians(a)
    d.line([(cx + r * 0.15 * math.cos(t), cy + r * 0.15 * math.sin(t)),
            (cx + r * 0.95 * math.cos(t), cy + r * 0.95 * math.sin(t))],
           fill=ln.col('index', 'white'), width=max(2, int(r / 7)))


def k_toggle(img, d, ln):
    W, H = ln.w, ln.h
    glyph = ln.get('glyph', 'text')
    if glyph == 'none':
        return
    d.rectangle([0, 0, W - 1, H - 1], fill=NAMED['bezel'])
    d.rectangle([1, 1, W - 2, H - 2], fill=(60, 62, 70), outline=(150, 150, 155))
    fg = ln.col('fg', 'white')
    if glyph == 'map':
        m = max(2, W // 6)
        xs = [m, W * 0.37, W * 0.63, W - 1 - m]
        ys = [m + 1, m, m + 1, m]
        for i in range(3):
            d.polygon([(xs[i], ys[i]), (xs[i + 1], ys[i + 1]), (xs[i + 1], H - 1 - m - ys[i + 1] + m),
                       (xs[i], H - 1 - m - ys[i] + m)], fill=fg if i != 1 else NAMED['light'])
        d.line([(xs[0], H / 2), (xs[3], H * 0.35)], fill=NAMED['red'], width=1)
    else:
        ctext(d, W / 2, H / 2, ln.get('text', ''), ln.num('font', 7), fg, ln.get('face', 'narrow'))


def k_digit(img, d, ln):
    W, H = ln.w, ln.h
    d.rectangle([0, 0, W, H], fill=ln.col('bg', 'dark'))
    dig = ln.get('digit', 'blank')
    if dig != 'blank':
        ctext(d, W / 2, H / 2, dig, ln.num('font', H * 0.85), ln.col('fg', 'white'),
              ln.get('face', 'sans'))


def k_ball(img, d, ln):
    W, H = ln.w, ln.h
    ppd = ln.num('ppd', 4)
    cy = H / 2
    d.rectangle([0, 0, W, cy], fill=ln.col('sky', 'sky'))
    d.rectangle([0, cy, W, H], fill=ln.col('ground', 'ground'))
    d.line([(0, cy), (W, cy)], fill=NAMED['white'], width=2)
    step = ln.num('step', 10)
    top = ln.num('max', 40)
    p = step / 2
    while p <= top + 1e-9:
        for s in (1, -1):
            y = cy - s * p * ppd
            half = W * (0.22 if abs(p % step) < 1e-9 else 0.1)
            d.line([(W / 2 - half, y), (W / 2 + half, y)], fill=NAMED['white'], width=2)
            if abs(p % step) < 1e-9:
                lab = '%d' % p
                ctext(d, W / 2 - half - 12, y, lab, 12, NAMED['white'])
                ctext(d, W / 2 + half + 12, y, lab, 12, NAMED['white'])
        p += step / 2


KINDS = {
    'panel': k_panel, 'dial': k_dial, 'needle': k_needle, 'drum': k_drum,
    'mask': k_mask, 'lamp': k_lamp, 'flag': k_flag, 'button': k_button,
    'knob': k_knob, 'toggle': k_toggle, 'digit': k_digit, 'ball': k_ball,
}


def render(ln):
    if ln.kind not in KINDS:
        raise ValueError('%s:%d: unknown kind %r' % (ln.module, ln.lineno, ln.kind))
    img = Image.new('RGB', (ln.w, ln.h), (0, 0, 0))
    d = ImageDraw.Draw(img)
    done = KINDS[ln.kind](img, d, ln)
    if not done:
        draw_primitives(d, ln)
    return img


# ---------------------------------------------------------------------------
# BMP writing

def to_palette(img):
    """(palette of 256 RGB triples, index bytes top-down); index 0 is pure black."""
    w, h = img.size
    px = img.tobytes()
    black = [px[i:i + 3] == b'\0\0\0' for i in range(0, len(px), 3)]
    colours = img.getcolors(maxcolors=257)
    non_black = sorted(c for _, c in colours if c != (0, 0, 0)) if colours else None
    if non_black is not None and len(non_black) <= 255:
        pal = [(0, 0, 0)] + non_black
        lut = {c: i for i, c in enumerate(pal)}
        idx = bytes(lut[(px[i], px[i + 1], px[i + 2])] for i in range(0, len(px), 3))
    else:
        # Quantize the visible pixels only: paint black ones with a visible colour.
        fill = next(px[i:i + 3] for i in range(0, len(px), 3) if not black[i // 3])
        src = bytearray(px)
        for i, b in enumerate(black):
            if b:
                src[3 * i:3 * i + 3] = fill
        q = Image.frombytes('RGB', (w, h), bytes(src)).quantize(
            colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        qpal = q.getpalette()[:255 * 3]
        pal = [(0, 0, 0)]
        for i in range(255):
            c = tuple(qpal[3 * i:3 * i + 3]) if 3 * i + 2 < len(qpal) else (1, 1, 1)
            pal.append(c if c != (0, 0, 0) else (1, 1, 1))
        qi = q.tobytes()
        idx = bytes(0 if black[i] else qi[i] + 1 for i in range(len(qi)))
    pal += [(0, 0, 0)] * (256 - len(pal))
    return pal, idx


def bmp_bytes(img, depth):
    w, h = img.size
    if depth == 8:
        pal, idx = to_palette(img)
        stride = (w + 3) & ~3
        rows = [idx[y * w:(y + 1) * w] + b'\0' * (stride - w) for y in range(h)]
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in pal)
        ncol = 256
    else:
        raw = img.tobytes('raw', 'BGR')
        stride = (3 * w + 3) & ~3
        rows = [raw[y * 3 * w:(y + 1) * 3 * w] + b'\0' * (stride - 3 * w) for y in range(h)]
        palette = b''
        ncol = 0
    pixels = b''.join(reversed(rows))  # bottom-up
    offset = 14 + 40 + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, depth, 0, len(pixels), 2835, 2835, ncol, 0)
    return head + info + palette + pixels


def check_bmp(path, ln):
    with open(path, 'rb') as f:
        data = f.read()
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data, 0)
    _, w, h, _, bpp = struct.unpack_from('<IiiHH', data, 14)
    stride = ((w * bpp // 8) + 3) & ~3
    problems = []
    if magic != b'BM' or size != len(data):
        problems.append('bad file header')
    if (w, h) != (ln.w, ln.h):
        problems.append('size %dx%d, declared %dx%d' % (w, h, ln.w, ln.h))
    if bpp != ln.depth:
        problems.append('depth %d, declared %d' % (bpp, ln.depth))
    if offset + stride * abs(h) != len(data):
        problems.append('pixel data length')
    return problems


# ---------------------------------------------------------------------------

def modules():
    return sorted(f[:-len('.manifest')] for f in os.listdir(MANIFEST_DIR)
                  if f.endswith('.manifest'))


def build(module):
    lines = read_manifest(module)
    out = os.path.join(ASSET_DIR, module)
    os.makedirs(out, exist_ok=True)
    bad = 0
    for ln in lines:
        path = os.path.join(out, '%d.bmp' % ln.id)
        with open(path, 'wb') as f:
            f.write(bmp_bytes(render(ln), ln.depth))
        for p in check_bmp(path, ln):
            print('%s/%d.bmp: %s' % (module, ln.id, p), file=sys.stderr)
            bad += 1
    print('%-14s %3d bitmaps' % (module, len(lines)))
    return bad


def main(argv):
    names = argv[1:] or modules()
    known = modules()
    for n in names:
        if n not in known:
            print('no manifest for %r (have: %s)' % (n, ', '.join(known)), file=sys.stderr)
            return 2
    bad = sum(build(n) for n in names)
    if bad:
        print('%d problems' % bad, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

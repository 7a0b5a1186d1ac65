#!/usr/bin/python3
"""The beam measurement of `lumetra-cli beam` written with numpy and PIL, as a reference for
timing (bench_beam compares the two on the same batch) and for cross-checking the numbers.

usage: /usr/bin/python3 tools/beam_reference.py IMAGE...   (prints one CSV line per image)
"""
import sys

import numpy as np
from PIL import Image

MAX_ITERATIONS = 25
INNER_SHARE = 2.0 / 3.0
ROUND = 0.87


def read(path):
    image = Image.open(path)
    if image.mode in ("RGB", "RGBA", "P"):
        rgb = np.asarray(image.convert("RGB"), dtype=np.float32)
        return rgb[..., 0] * 0.299 + rgb[..., 1] * 0.587 + rgb[..., 2] * 0.114
    return np.asarray(image).astype(np.float32)


def corners(f, fraction=0.035):
    h, w = f.shape
    ch, cw = max(1, int(h * fraction)), max(1, int(w * fraction))
    blocks = [f[:ch, :cw], f[:ch, -cw:], f[-ch:, :cw], f[-ch:, -cw:]]
    means = np.array([b.mean(dtype=np.float64) for b in blocks])
    squares = sum(((b - m) ** 2).sum(dtype=np.float64) for b, m in zip(blocks, means))
    n = 4 * ch * cw
    mean = means.mean()
    return mean, np.sqrt(squares / (n - 4)), max(0.0, (means - mean).max())


def shape(p, cx, cy, sxx, syy, sxy):
    root = np.sqrt((sxx - syy) ** 2 + 4 * sxy ** 2)
    major = 2 * np.sqrt(2) * np.sqrt(max(0.0, sxx + syy + root))
    minor = 2 * np.sqrt(2) * np.sqrt(max(0.0, sxx + syy - root))
    return dict(cx=cx, cy=cy, major=major, minor=minor, dx=4 * np.sqrt(max(sxx, 0)), dy=4 * np.sqrt(max(syy, 0)),
                theta=0.5 * np.arctan2(2 * sxy, sxx - syy), sxx=sxx, syy=syy, sxy=sxy, p=p)


def moments(w, x0, y0):
    p = w.sum(dtype=np.float64)
    if p <= 0:
        return None
    ys, xs = np.mgrid[y0:y0 + w.shape[0], x0:x0 + w.shape[1]]
    cx, cy = (w * xs).sum(dtype=np.float64) / p, (w * ys).sum(dtype=np.float64) / p
    dx, dy = xs - cx, ys - cy
    s = shape(p, cx, cy, (w * dx * dx).sum(dtype=np.float64) / p, (w * dy * dy).sum(dtype=np.float64) / p,
              (w * dx * dy).sum(dtype=np.float64) / p)
    return s if s["sxx"] >= 0 and s["syy"] >= 0 else None


def rect(s, sides, min_half, f):
    rnd = s["minor"] >= ROUND * s["major"]
    th = 0.0 if rnd else s["theta"]
    hu = max(min_half, 0.5 * sides * s["major"])
    hv = max(min_half, 0.5 * sides * (s["major"] if rnd else s["minor"]))
    ext_x = hu * abs(np.cos(th)) + hv * abs(np.sin(th))
    ext_y = hu * abs(np.sin(th)) + hv * abs(np.cos(th))
    h, w = f.shape
    x0, x1 = max(0, int(np.ceil(s["cx"] - ext_x))), min(w - 1, int(np.floor(s["cx"] + ext_x)))
    y0, y1 = max(0, int(np.ceil(s["cy"] - ext_y))), min(h - 1, int(np.floor(s["cy"] + ext_y)))
    ys, xs = np.mgrid[y0:y1 + 1, x0:x1 + 1]
    u = (xs - s["cx"]) * np.cos(th) + (ys - s["cy"]) * np.sin(th)
    v = -(xs - s["cx"]) * np.sin(th) + (ys - s["cy"]) * np.cos(th)
    inside = (np.abs(u) <= hu + 1e-9) & (np.abs(v) <= hv + 1e-9)
    return x0, y0, f[y0:y1 + 1, x0:x1 + 1], inside, xs, ys


def settled(a, b):
    tol = max(0.05, 1e-3 * b["major"])
    return all(abs(a[k] - b[k]) <= tol for k in ("cx", "cy", "major", "minor"))


def iterate(s, measure):
    previous, iterations = None, 0
    while iterations < MAX_ITERATIONS:
        nxt = measure(s)
        iterations += 1
        if nxt is None:
            return None, iterations, False
        if settled(s, nxt):
            return nxt, iterations, True
        if previous is not None and settled(previous, nxt):
            mean = {k: 0.5 * (nxt[k] + s[k]) for k in ("cx", "cy", "sxx", "syy", "sxy", "p")}
            return shape(mean["p"], mean["cx"], mean["cy"], mean["sxx"], mean["syy"], mean["sxy"]), iterations, True
        previous, s = s, nxt
    return s, iterations, False


def measure(f, nt=3.0, sides=3.0):
    level, noise, spread = corners(f)
    threshold = nt * noise + spread
    h, w = f.shape
    b = 4 if min(w, h) >= 64 else 1
    grid = f[:h // b * b, :w // b * b].reshape(h // b, b, w // b, b).mean(axis=(1, 3))
    cut = max(threshold / b, 0.5 * (grid.max() - level))
    g = grid - level
    first = moments(np.where(g > cut, g, 0), 0, 0)
    if first is None:
        return None
    off = (b - 1) / 2
    first = shape(first["p"], first["cx"] * b + off, first["cy"] * b + off, first["sxx"] * b * b,
                  first["syy"] * b * b, first["sxy"] * b * b)

    def clipped_step(s):
        x0, y0, patch, inside, _, _ = rect(s, sides, 1.0, f)
        e = patch - level
        return moments(np.where(inside & (e > threshold), e, 0), x0, y0)

    clipped, it1, conv1 = iterate(first, clipped_step)
    if clipped is None:
        clipped, conv1 = first, False
    x0, y0, patch, inside, _, _ = rect(clipped, sides, 1.0, f)
    n = inside.sum()
    power = ((patch - level) * inside).sum(dtype=np.float64)
    if not power > 5 * noise * np.sqrt(n + n * n / (4 * max(1, int(h * 0.035)) * max(1, int(w * 0.035)))):
        return None

    def local_step(s):
        x0, y0, patch, outer, xs, ys = rect(s, sides, 1.5, f)
        ix0, iy0, ipatch, inner, ixs, iys = rect(s, INNER_SHARE * sides, 1.5, f)
        in_outer = np.zeros_like(outer)
        in_outer[iy0 - y0:iy0 - y0 + inner.shape[0], ix0 - x0:ix0 - x0 + inner.shape[1]] = inner
        band = outer & ~in_outer
        bx, by, bv = xs[band] - round(s["cx"]), ys[band] - round(s["cy"]), patch[band].astype(np.float64)
        coef = np.array([level, 0.0, 0.0])
        if bv.size >= 12:
            keep = np.ones(bv.size, bool)
            for _ in range(3):
                a = np.column_stack([np.ones(keep.sum()), bx[keep], by[keep]])
                coef = np.linalg.lstsq(a, bv[keep], rcond=None)[0]
                resid = bv - (coef[0] + coef[1] * bx + coef[2] * by)
                rms = np.sqrt(np.mean(resid[keep] ** 2))
                if rms == 0:
                    break
                keep = np.abs(resid) <= 3 * rms
        plane = coef[0] + coef[1] * (ixs - round(s["cx"])) + coef[2] * (iys - round(s["cy"]))
        return moments(np.where(inner, ipatch - plane, 0), ix0, iy0)

    local, it2, conv2 = iterate(clipped, local_step)
    if local is not None:
        diff = max(abs(local["major"] / clipped["major"] - 1), abs(local["minor"] / clipped["minor"] - 1))
        if diff <= 0.25:
            return local, clipped["theta"], it1 + it2, conv1 and conv2, diff > 0.10
    return clipped, clipped["theta"], it1, conv1, True


def main():
    for path in sys.argv[1:]:
        f = read(path)
        r = measure(f)
        if r is None:
            print(f"{path},no beam")
            continue
        s, theta, iterations, converged, warning = r
        print(f"{path},ok,{s['cx']:.3f},{s['cy']:.3f},{s['major']:.3f},{s['minor']:.3f},"
              f"{-np.degrees(theta):.2f},{iterations},{converged},{warning}")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Measures every frame in a folder with lumetra and plots the D4sigma diameters and the centroid
against the file order (by name), e.g. to see a beam drift or breathe over a series of captures.

usage: PYTHONPATH=build/python /usr/bin/python3 examples/measure_folder.py FOLDER
           [--pixel-size UM] [--out PLOT.png]
"""
import argparse
import math
import os
import sys
import tempfile

import matplotlib

matplotlib.use("Agg")  # draws into files only, no display needed
import matplotlib.pyplot as plt  # noqa: E402

import lumetra  # noqa: E402

FRAME_SUFFIXES = (".png", ".bmp", ".jpg", ".jpeg", ".pgm", ".ppm", ".tif", ".tiff")


def frame_paths(folder):
    names = sorted(n for n in os.listdir(folder) if n.lower().endswith(FRAME_SUFFIXES))
    return [os.path.join(folder, n) for n in names]


def series(rows, key):
    """The key's values in file order; frames without a beam or unreadable ones are gaps (NaN)."""
    return [math.nan if row[key] is None else row[key] for row in rows]


def plot(rows, pixel_size_um, out):
    order = range(1, len(rows) + 1)
    unit = "µm" if pixel_size_um else "px"
    suffix = "_um" if pixel_size_um else ""
    fig, (widths, centre) = plt.subplots(2, 1, sharex=True, figsize=(8, 6), constrained_layout=True)
    widths.plot(order, series(rows, "d_x" + suffix), "o-", label="D4σ x")
    widths.plot(order, series(rows, "d_y" + suffix), "s-", label="D4σ y")
    widths.set_ylabel(f"diameter ({unit})")
    widths.legend()
    widths.grid(True, alpha=0.3)
    centre.plot(order, series(rows, "centroid_x"), "o-", label="centroid x")
    centre.plot(order, series(rows, "centroid_y"), "s-", label="centroid y")
    centre.set_ylabel("centroid (px)")
    centre.set_xlabel("frame (file order)")
    centre.legend()
    centre.grid(True, alpha=0.3)
    # Written beside the target and renamed over it, so a failed run leaves no half-written plot.
    folder = os.path.dirname(os.path.abspath(out))
    with tempfile.NamedTemporaryFile(dir=folder, suffix=".png", delete=False) as f:
        temporary = f.name
    try:
        fig.savefig(temporary, format="png", dpi=120)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(temporary, 0o666 & ~umask)  # a temporary file is private; the plot is not
        os.replace(temporary, out)
    except BaseException:
        os.unlink(temporary)
        raise
    finally:
        plt.close(fig)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--pixel-size", type=float, help="pixel pitch in µm: diameters in µm")
    parser.add_argument("--out", default="beam_series.png", help="the plot (PNG), default beam_series.png")
    args = parser.parse_args()
    paths = frame_paths(args.folder)
    if not paths:
        sys.exit(f"no frames ({', '.join(FRAME_SUFFIXES)}) in {args.folder}")
    rows = lumetra.measure_files(paths, pixel_size_um=args.pixel_size, errors="row")
    for row in rows:
        if row["status"] != "ok":
            print(f"{row['image']}: {row['status']}", file=sys.stderr)
    plot(rows, args.pixel_size, args.out)
    measured = sum(row["status"] == "ok" for row in rows)
    print(f"{measured} of {len(rows)} frames measured; plot written to {args.out}")


if __name__ == "__main__":
    main()

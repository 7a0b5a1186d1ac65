"""Shared helpers of the Python module's tests: synthetic camera frames, frame files, running
lumetra-cli, and comparing measurement rows. ctest sets PYTHONPATH to build/python and
LUMETRA_CLI to the built tool; run by hand:

    PYTHONPATH=build/python LUMETRA_CLI=build/bin/lumetra-cli /usr/bin/python3 -m pytest tests/python
"""
import json
import math
import os
import subprocess

import numpy as np
import pytest
from PIL import Image

import lumetra

SOURCE_DIR = os.environ.get("LUMETRA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))


def beam_frame(height=240, width=320, cx=150.3, cy=118.7, d_major=60.0, d_minor=44.0, phi_deg=25.0,
               peak=180.0, dark=12.0, noise=1.5, tilt=0.0, seed=1):
    """A Gaussian beam of the given D4sigma diameters on a dark level with noise, float64."""
    y, x = np.mgrid[0:height, 0:width].astype(np.float64)
    t = math.radians(-phi_deg)  # on screen y points up
    u = (x - cx) * math.cos(t) + (y - cy) * math.sin(t)
    v = -(x - cx) * math.sin(t) + (y - cy) * math.cos(t)
    spot = peak * np.exp(-2 * ((u / (d_major / 2)) ** 2 + (v / (d_minor / 2)) ** 2))
    rng = np.random.default_rng(seed)
    return spot + dark + tilt * (x - width / 2) + rng.normal(0, noise, (height, width))


def write_png(path, values, bits=8):
    top = 255 if bits == 8 else 65535
    codes = np.clip(np.rint(values), 0, top).astype(np.uint8 if bits == 8 else np.uint16)
    Image.fromarray(codes).save(path)
    return codes


def write_pgm(path, values, maxval):
    """A binary PGM (16-bit samples when maxval > 255, big-endian as the format has them)."""
    codes = np.clip(np.rint(values), 0, maxval)
    data = codes.astype(">u2" if maxval > 255 else np.uint8).tobytes()
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n%d\n" % (codes.shape[1], codes.shape[0], maxval) + data)
    return codes


def run_cli(*args):
    cli = os.environ.get("LUMETRA_CLI", os.path.join(SOURCE_DIR, "build", "bin", "lumetra-cli"))
    done = subprocess.run([cli, *map(str, args)], capture_output=True, text=True, timeout=300)
    return done.returncode, done.stdout, done.stderr


def cli_json(*args):
    status, out, err = run_cli(*args)
    assert status == 0, err
    return json.loads(out)


def assert_rows_equal(ours, theirs, rel=1e-9):
    """The same keys in the same order, numbers within `rel` relative, everything else equal."""
    assert list(ours) == list(theirs)
    for key, value in theirs.items():
        if isinstance(value, dict):
            assert_rows_equal(ours[key], value, rel)
        elif isinstance(value, float):
            assert ours[key] == pytest.approx(value, rel=rel, abs=1e-12), key
        else:
            assert ours[key] == value, key
            assert type(ours[key]) is type(value), key


@pytest.fixture(scope="session")
def frame_files(tmp_path_factory):
    """Frame files of every kind the measurement reads ({name: path}), and a dark frame's path."""
    d = tmp_path_factory.mktemp("frames")
    grey = write_png(d / "grey8.png", beam_frame())
    write_png(d / "grey16.png", beam_frame(peak=40000, dark=3000, noise=300, seed=2), 16)
    write_pgm(d / "twelve.pgm", beam_frame(peak=3000, dark=200, noise=20, seed=3), 4095)
    write_pgm(d / "saturated.pgm", beam_frame(peak=400, seed=4), 255)
    tilted = write_png(d / "tilted.png", beam_frame(tilt=0.05, seed=5))
    write_png(d / "noise.png", beam_frame(peak=0, seed=6))
    spot = beam_frame(seed=7)
    rgb = np.stack([spot, spot * 0.7, spot * 0.4], axis=-1)
    Image.fromarray(np.clip(np.rint(rgb), 0, 255).astype(np.uint8)).save(d / "colour.png")
    Image.fromarray(grey).save(d / "grey.jpg", quality=95)
    Image.fromarray(tilted).save(d / "grey.bmp")
    write_png(d / "dark.png", beam_frame(peak=0, seed=8))
    names = ["grey8.png", "grey16.png", "twelve.pgm", "saturated.pgm", "tilted.png", "noise.png", "colour.png",
             "grey.jpg", "grey.bmp"]
    return {name: str(d / name) for name in names}, str(d / "dark.png")

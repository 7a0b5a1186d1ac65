#!/usr/bin/python3
"""The Python module's speed: lumetra.measure_beam on a 1280 x 960 camera frame in-process against
the numpy reference of the same method (tools/beam_reference.py) on the same array, and the
batch on two Python threads against one.

usage: PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py [--brief]
ctest runs it with --brief (label bench) so that it keeps working; the figures come from a run by
hand on a quiet machine.
"""
import argparse
import importlib.util
import math
import os
import threading
import time

import numpy as np

import lumetra

SOURCE_DIR = os.environ.get("LUMETRA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), ".."))


def camera_frame(width=1280, height=960, seed=1):
    """An 8-bit camera frame as bench_beam makes them: a turned Gaussian beam on a tilted dark
    level with fixed-pattern and sensor noise."""
    rng = np.random.default_rng(seed)
    y, x = np.mgrid[0:height, 0:width].astype(np.float64)
    t = math.radians(-(20 + seed))
    cx, cy = width * 0.47 + seed, height * 0.52
    u = (x - cx) * math.cos(t) + (y - cy) * math.sin(t)
    v = -(x - cx) * math.sin(t) + (y - cy) * math.cos(t)
    spot = 180 * np.exp(-2 * ((u / (width * 0.06)) ** 2 + (v / (width * 0.045)) ** 2))
    dark = 12 + 0.01 * (x - width / 2) + rng.normal(0, 1.0, width)[None, :] + rng.normal(0, 1.5, (height, width))
    return np.clip(np.rint(spot + dark), 0, 255).astype(np.uint8)


def best_seconds(call, repeats):
    best = math.inf
    for _ in range(repeats):
        start = time.perf_counter()
        call()
        best = min(best, time.perf_counter() - start)
    return best


def on_threads(frames, threads):
    def work(part):
        for f in part:
            lumetra.measure_beam(f)
    workers = [threading.Thread(target=work, args=(frames[i::threads],)) for i in range(threads)]
    start = time.perf_counter()
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--brief", action="store_true", help="one repetition each (for ctest)")
    brief = parser.parse_args().brief
    spec = importlib.util.spec_from_file_location("beam_reference", os.path.join(SOURCE_DIR, "tools",
                                                                                  "beam_reference.py"))
    reference = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(reference)

    codes = camera_frame()
    frame = codes.astype(np.float32)  # what the reference reads from a file
    ours = lumetra.measure_beam(frame)
    theirs = reference.measure(frame)
    assert ours["status"] == "ok" and theirs is not None, "both find the beam"
    shape = theirs[0]
    print(f"d_major/d_minor: lumetra {ours['d_major']:.3f}/{ours['d_minor']:.3f}, "
          f"reference {shape['major']:.3f}/{shape['minor']:.3f}")

    on_threads([codes], 1)  # the first call pays for loading what the module needs
    t_float = best_seconds(lambda: lumetra.measure_beam(frame), 1 if brief else 30)
    t_uint8 = best_seconds(lambda: lumetra.measure_beam(codes), 1 if brief else 30)
    t_reference = best_seconds(lambda: reference.measure(frame), 1 if brief else 5)
    print(f"lumetra.measure_beam, 1280 x 960 float32 array: {t_float * 1e3:8.2f} ms")
    print(f"lumetra.measure_beam, the same as uint8:        {t_uint8 * 1e3:8.2f} ms")
    print(f"tools/beam_reference.py measure, float32 array: {t_reference * 1e3:8.2f} ms")
    print(f"in-process speed ratio: {t_reference / t_float:.1f} x")

    frames = [camera_frame(seed=s) for s in range(1, 17 if not brief else 5)]
    rounds = 1 if brief else 5
    one = min(on_threads(frames, 1) for _ in range(rounds))
    two = min(on_threads(frames, 2) for _ in range(rounds))
    print(f"{len(frames)} frames on two Python threads / one: {one / two:.2f} x "
          f"({one * 1e3:.0f} ms / {two * 1e3:.0f} ms, {os.cpu_count()} cores)")


if __name__ == "__main__":
    main()

"""measure_beam, measure_files and read_frame give the rows of lumetra-cli beam."""
import json
import pickle

import numpy as np
import pytest
from PIL import Image, TiffImagePlugin

import lumetra
from conftest import assert_rows_equal, beam_frame, cli_json, run_cli


def without_image(row):
    return {k: v for k, v in row.items() if k != "image"}


@pytest.mark.parametrize("options, cli_options", [
    ({}, []),
    ({"pixel_size_um": 3.45, "corner_fraction": 0.05, "noise_factor": 4.0, "mask_diameters": 2.5},
     ["--pixel-size", "3.45", "--corner-fraction", "0.05", "--noise-factor", "4", "--mask-diameters", "2.5"]),
    ({"method": "iso", "stripes": "off", "widths": "all", "pixel_size_um": 5.5},
     ["--method", "iso", "--stripes", "off", "--widths", "all", "--pixel-size", "5.5"]),
])
def test_rows_equal_the_command_line(frame_files, options, cli_options):
    files, _ = frame_files
    paths = list(files.values())
    expected = cli_json("beam", *paths, *cli_options)
    statuses = {row["status"] for row in expected}
    assert statuses == {"ok", "no beam"}
    assert any(row["saturated_pixels"] for row in expected)
    for row in expected:  # every measured row names what makes it doubtful
        if row["status"] == "ok":
            assert ("saturated" in row["warnings"]) == (row["saturated_pixels"] > 0)

    for path, row in zip(paths, expected):
        assert_rows_equal(lumetra.measure_beam(lumetra.read_frame(path), **options), without_image(row))
    batch = lumetra.measure_files(paths, **options)
    for ours, theirs in zip(batch, expected):
        assert_rows_equal(ours, theirs)
    assert len(batch) == len(expected)


def test_dark_frame_as_array_or_path_equals_the_command_line(frame_files):
    files, dark = frame_files
    path = files["tilted.png"]
    expected = cli_json("beam", path, "--dark", dark)
    frame = lumetra.read_frame(path)
    assert_rows_equal(lumetra.measure_beam(frame, dark=lumetra.read_frame(dark)), without_image(expected))
    assert_rows_equal(lumetra.measure_beam(frame, dark=dark), without_image(expected))
    assert_rows_equal(lumetra.measure_files([path], dark=dark)[0], expected)


def test_read_frame_keeps_the_files_codes_and_depth(frame_files):
    files, _ = frame_files
    grey16 = lumetra.read_frame(files["grey16.png"])
    assert isinstance(grey16, np.ndarray) and isinstance(grey16, lumetra.Frame)
    assert (grey16.dtype, grey16.bit_depth, grey16.top_value) == (np.uint16, 16, 65535.0)
    np.testing.assert_array_equal(grey16, frame_files_codes(files, "grey16.png"))
    twelve = lumetra.read_frame(files["twelve.pgm"])
    assert (twelve.dtype, twelve.bit_depth, twelve.top_value) == (np.uint16, 16, 4095.0)
    colour = lumetra.read_frame(files["colour.png"])
    assert colour.dtype == np.float32 and colour.bit_depth == 8
    assert lumetra.read_frame(files["grey8.png"]).dtype == np.uint8

    # Views and copies keep the file's depth; arithmetic gives a plain array.
    part = twelve[10:200, 20:300].astype(np.float64)
    assert part.top_value == 4095.0 and part.path == files["twelve.pgm"]
    assert type(twelve * 2) is np.ndarray and type(twelve.max()) is np.uint16
    again = pickle.loads(pickle.dumps(twelve))
    assert again.top_value == 4095.0
    np.testing.assert_array_equal(again, twelve)


def frame_files_codes(files, name):
    return np.asarray(Image.open(files[name]))


def test_every_sample_type_and_layout_measures_alike():
    codes = np.clip(np.rint(beam_frame(peak=250, seed=11)), 0, 255)
    reference = lumetra.measure_beam(codes.astype(np.float32), top=255)
    for dtype in (np.uint8, np.uint16, np.float64):
        row = lumetra.measure_beam(codes.astype(dtype), top=255)
        assert row == reference | {"bit_depth": row["bit_depth"]}
    assert reference["saturated_pixels"] > 0

    wide = np.zeros((codes.shape[0] * 2, codes.shape[1] * 3), np.float32)
    wide[::2, ::3] = codes
    unaligned = np.frombuffer(b"\0" + codes.astype(np.float32).tobytes(), np.float32, offset=1).reshape(codes.shape)
    flipped = lumetra.measure_beam(np.ascontiguousarray(codes[::-1, ::-1]), top=255)
    for layout in (wide[::2, ::3], np.asfortranarray(codes), codes.astype(">f8"), unaligned):
        assert lumetra.measure_beam(layout, top=255) == reference
    assert lumetra.measure_beam(codes[::-1, ::-1], top=255) == flipped

    # Without a top code a floating-point frame has no saturation count and no depth.
    plain = lumetra.measure_beam(codes)
    assert plain["saturated_pixels"] is None and plain["bit_depth"] is None
    assert plain["d_x"] == reference["d_x"]
    assert lumetra.measure_beam(codes.astype(np.uint16))["saturated_pixels"] == 0  # top 65535


def test_unreadable_files_in_a_batch(frame_files, tmp_path):
    files, _ = frame_files
    broken = tmp_path / "broken.png"
    broken.write_bytes(open(files["grey8.png"], "rb").read()[:300])
    paths = [files["grey8.png"], str(broken), str(tmp_path / "missing.png")]
    status, out, _ = run_cli("beam", *paths)
    assert status == 2
    expected = json.loads(out)
    rows = lumetra.measure_files(paths, errors="row")
    assert [r["status"] for r in rows] == ["ok", "unreadable", "unreadable"]
    for ours, theirs in zip(rows, expected):
        assert_rows_equal(ours, theirs)
    with pytest.raises(OSError, match="broken.png"):
        lumetra.measure_files(paths)
    assert lumetra.measure_files(paths[:1], threads=1) == rows[:1]


def test_a_twelve_bit_tiff_keeps_its_top_code_and_reports_saturation(tmp_path):
    # MaxSampleValue (tag 281) says the camera's codes end at 4095: the clipped core saturates.
    codes = np.clip(np.rint(beam_frame(peak=6000)), 0, 4095).astype(np.uint16)
    info = TiffImagePlugin.ImageFileDirectory_v2()
    info[281] = 4095
    info.tagtype[281] = 3  # SHORT
    Image.fromarray(codes).save(tmp_path / "twelve.tif", tiffinfo=info)
    frame = lumetra.read_frame(tmp_path / "twelve.tif")
    assert frame.top_value == 4095
    assert lumetra.measure_beam(frame)["saturated_pixels"] == int(np.count_nonzero(codes == 4095))

"""Bad input raises a clear error: ValueError, TypeError or OSError with the reason."""
import numpy as np
import pytest

import lumetra
from conftest import beam_frame, run_cli, write_png


@pytest.fixture
def frame():
    return beam_frame(height=60, width=80, cx=40, cy=30, d_major=20, d_minor=16).astype(np.float32)


def test_arrays_the_measurement_cannot_take(frame):
    bad = frame.copy()
    bad[7, 9] = np.nan
    cases = [
        (np.stack([frame] * 3, axis=-1), ValueError, r"the frame is 3-D \(60 x 80 x 3\)"),
        (frame[:0], ValueError, r"the frame is empty \(0 x 80\)"),
        (bad, ValueError, r"NaN, infinite .*\(row 7, column 9\)"),
        (np.where(np.arange(80) == 5, np.inf, frame), ValueError, r"\(row 0, column 5\)"),
        (frame.astype(np.float64) * 1e300, ValueError, "beyond float32's range"),
        (frame.astype(np.int32), TypeError, "int32: the measurement takes uint8, uint16, float32 or float64"),
        ("frame.png", TypeError, "read_frame"),
    ]
    for value, error, message in cases:
        with pytest.raises(error, match=message):
            lumetra.measure_beam(value)
    with pytest.raises(ValueError, match="dark frame holds a value that is NaN"):
        lumetra.measure_beam(frame, dark=bad)


def test_a_dark_frame_of_another_size_fails_as_on_the_command_line(frame, tmp_path):
    write_png(tmp_path / "frame.png", frame)
    write_png(tmp_path / "dark.png", frame[:50, :70])
    status, _, err = run_cli("beam", tmp_path / "frame.png", "--dark", tmp_path / "dark.png")
    message = "the dark frame is 70 x 50, the frame 80 x 60"
    assert status == 2 and message in err
    with pytest.raises(ValueError, match=message):
        lumetra.measure_beam(frame, dark=frame[:50, :70])
    with pytest.raises(ValueError, match=message):
        lumetra.measure_files([tmp_path / "frame.png"], dark=tmp_path / "dark.png")
    row = lumetra.measure_files([tmp_path / "frame.png"], dark=frame[:50, :70], errors="row")[0]
    assert row["status"] == "unreadable"


def test_unreadable_files(frame, tmp_path):
    with pytest.raises(FileNotFoundError, match="missing.png"):
        lumetra.read_frame(tmp_path / "missing.png")
    damaged = tmp_path / "damaged.png"
    damaged.write_bytes(b"\x89PNG\r\n\x1a\n" + b"\0" * 40)
    with pytest.raises(OSError, match="damaged.png"):
        lumetra.read_frame(str(damaged))
    with pytest.raises(OSError, match="cannot read the dark frame"):
        lumetra.measure_beam(frame, dark=tmp_path / "missing.png")
    with pytest.raises(TypeError, match="list of paths"):
        lumetra.measure_files(str(damaged))


def test_options_out_of_range_name_the_keyword_and_what_it_takes(frame):
    cases = [
        ({"corner_fraction": 0.6}, "corner_fraction needs a number above 0..0.5, not 0.6"),
        ({"noise_factor": -1}, "noise_factor needs a number in 0..100"),
        ({"mask_diameters": 0}, "mask_diameters needs a number above 0..100"),
        ({"pixel_size_um": float("nan")}, "pixel_size_um needs a number"),
        ({"top": 0}, "top needs a positive number"),
        ({"method": "textbook"}, "method must be one of 'robust', 'iso', not 'textbook'"),
        ({"stripes": "on"}, "stripes must be one of 'auto', 'off', not 'on'"),
        ({"widths": "some"}, "widths must be one of 'd4s', 'all', not 'some'"),
    ]
    for options, message in cases:
        with pytest.raises(ValueError, match=message.replace("(", r"\(").replace(".", r"\.")):
            lumetra.measure_beam(frame, **options)
    with pytest.raises(ValueError, match="errors must be 'raise' or 'row'"):
        lumetra.measure_files([], errors="ignore")
    with pytest.raises(ValueError, match="threads must be 0"):
        lumetra.measure_files([], threads=-1)
    with pytest.raises(TypeError):
        lumetra.measure_beam(frame, 3.0)  # options are keyword-only

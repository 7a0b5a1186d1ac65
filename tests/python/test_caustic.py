"""fit_caustic gives the report of lumetra-cli m2 --diameters for the same numbers."""
import numpy as np
import pytest

import lumetra
from conftest import assert_rows_equal, cli_json, run_cli


def caustic(z, d0, z0, zr):
    return d0 * np.sqrt(1 + ((z - z0) / zr) ** 2)


def test_one_and_two_axes_equal_the_command_line(tmp_path):
    z = np.linspace(60, 240, 13)
    dx = caustic(z, 300, 150, 40) * (1 + 0.01 * np.sin(z))
    dy = caustic(z, 240, 152, 35) * (1 - 0.008 * np.cos(z))
    two = tmp_path / "two.csv"
    two.write_text("z_mm,dx_um,dy_um\n" + "".join(f"{a!r},{b!r},{c!r}\n" for a, b, c in zip(z, dx, dy)))
    one = tmp_path / "one.csv"
    one.write_text("z_mm,d_um\n" + "".join(f"{a!r},{b!r}\n" for a, b in zip(z[:5], dx[:5])))

    expected = cli_json("m2", "--wavelength", "1064nm", "--diameters", two)
    report = lumetra.fit_caustic(z, dx, dy_um=list(dy), wavelength_nm=1064)
    assert_rows_equal(report, expected)
    assert report["x"]["m2"] == pytest.approx(np.pi * 300 * (300 / 40) / (4 * 1064), rel=0.02)
    assert_rows_equal(lumetra.fit_caustic(z[:5], dx[:5], wavelength_nm=632.8),
                      cli_json("m2", "--wavelength", "632.8", "--diameters", one))


def test_a_fit_without_a_waist_fails_as_on_the_command_line(tmp_path):
    flat = tmp_path / "flat.csv"
    flat.write_text("z_mm,d_um\n1,5\n2,5\n3,5\n")
    status, _, err = run_cli("m2", "--wavelength", "500", "--diameters", flat)
    assert status == 2
    message = err.strip().removeprefix("lumetra-cli m2: ")
    assert message.startswith("axis x: the diameters do not narrow to a waist")
    with pytest.raises(ValueError) as raised:
        lumetra.fit_caustic([1, 2, 3], [5, 5, 5], wavelength_nm=500)
    assert str(raised.value) == message
    with pytest.raises(ValueError, match="z_mm has 3 values and dy_um 2"):
        lumetra.fit_caustic([1, 2, 3], [5, 4, 5], dy_um=[1, 2], wavelength_nm=500)
    # A wavelength in micrometres or metres is refused like on the command line, which exits 2.
    for wrong in (0, 1.064, 1064e-9):
        with pytest.raises(ValueError, match="wavelength is in nanometres and must lie within 150 .. 20000 nm"):
            lumetra.fit_caustic([1, 2, 3], [5, 4, 5], wavelength_nm=wrong)
    status, out, err = run_cli("m2", "--wavelength", "1064e-9", "--diameters", flat)
    assert (status, out, err.count("\n")) == (2, "", 1) and "nanometres" in err
    # One axis that cannot be fitted is reported beside the other, as lumetra-cli m2 reports it.
    partial = lumetra.fit_caustic([1, 2, 3], [5, 4, 5], dy_um=[5, -1, 5], wavelength_nm=500)
    assert "m2" in partial["x"]
    assert set(partial["y"]) == {"error"} and partial["y"]["error"].startswith("the diameter at z = 2")

"""Lumetra's beam measurement: D4sigma diameters, centroid and orientation of a beam in a camera
frame, and the M2 fit of a caustic, with the numbers of lumetra-cli."""

import os
from typing import Any, Literal, Optional, Sequence, Union

import numpy
import numpy.typing

__version__: str
"""The version of Lumetra the module belongs to, e.g. "2.0.0"."""

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
_Frame = numpy.typing.ArrayLike

class Frame(numpy.ndarray[Any, numpy.dtype[Any]]):
    """A frame read by read_frame: a 2-D array (rows x columns) of grey values."""

    bit_depth: Optional[int]
    """8 or 16, the bits of the file's samples."""
    top_value: Optional[float]
    """The file's top code: pixels at it count as saturated."""
    path: Optional[str]
    """The file it was read from."""

def read_frame(path: _Path) -> Frame:
    """Reads a camera frame (BMP, JPEG, PNG, PGM/PPM, TIFF) at full resolution and depth: uint8 or
    uint16 samples, float32 for a colour file whose grey (0.299 R + 0.587 G + 0.114 B) has
    fractions. Raises FileNotFoundError or OSError."""

def measure_beam(
    frame: _Frame,
    *,
    top: Optional[float] = None,
    dark: Union[_Frame, _Path, None] = None,
    pixel_size_um: Optional[float] = None,
    method: Literal["robust", "iso"] = "robust",
    stripes: Literal["auto", "off"] = "auto",
    corner_fraction: float = 0.035,
    noise_factor: float = 3.0,
    mask_diameters: float = 3.0,
    widths: Literal["d4s", "all"] = "d4s",
) -> dict[str, Any]:
    """Measures the beam in a 2-D uint8, uint16, float32 or float64 frame; returns the keys and
    values of `lumetra-cli beam --format json` without "image" (None where a value does not exist):

    status ("ok", "no beam"); width, height (px); bit_depth (8, 16 or None); peak, background,
    background_noise (frame units); saturated_pixels (count); centroid_x, centroid_y (px);
    d_major, d_minor, d_x, d_y (D4sigma, px); phi_deg (deg); ellipticity; iterations; converged;
    background_warning; with pixel_size_um: pixel_size_um, d_major_um, d_minor_um, d_x_um, d_y_um
    (um); method ("robust", "iso"); stripe_correction ("columns", "rows", None); warnings: a list
    of names ("background_structure", "not_converged", "saturated", "beam_clipped",
    "larger_than_frame", "estimators_disagree", "low_signal"), empty for a clean measurement.

    widths="all" adds (px; with pixel_size_um also <name>_um in um): d86, knife_x, knife_y,
    knife_major, knife_minor, clip_major, clip_minor, fwhm_major, fwhm_minor, gauss_major,
    gauss_minor, gauss_x, gauss_y; gauss_phi_deg (deg), gauss_offset (frame units), gauss_r2;
    iso_effective_area (px2; iso_effective_area_um2 in um2), iso_flatness, iso_uniformity,
    iso_plateau_uniformity, iso_edge_steepness (dimensionless).

    Raises TypeError, ValueError or OSError (an unreadable dark file)."""

def measure_files(
    paths: Sequence[_Path],
    *,
    threads: int = 0,
    errors: Literal["raise", "row"] = "raise",
    widths: Literal["d4s", "all"] = "d4s",
    dark: Union[_Frame, _Path, None] = None,
    pixel_size_um: Optional[float] = None,
    method: Literal["robust", "iso"] = "robust",
    corner_fraction: float = 0.035,
    stripes: Literal["auto", "off"] = "auto",
    noise_factor: float = 3.0,
    mask_diameters: float = 3.0,
) -> list[dict[str, Any]]:
    """Reads and measures files in parallel (threads: 0 = one per core); one dict per file in
    order, as `lumetra-cli beam --format json`."""

def fit_caustic(
    z_mm: Sequence[float],
    d_um: Sequence[float],
    *,
    wavelength_nm: float,
    dy_um: Optional[Sequence[float]] = None,
) -> dict[str, Any]:
    """Fits d(z)^2 = A + B z + C z^2 per axis after ISO 11146-1; returns the JSON of
    `lumetra-cli m2 --diameters` as a dict: wavelength_nm and per axis ("x", "y") d0_um (waist
    diameter, um), z0_mm (waist position, mm), zr_mm (Rayleigh length, mm), theta_mrad (full
    divergence, mrad), m2, each with its 1 sigma error as `*_sd`; residual_rms_um (um), points,
    points_within_zr, points_beyond_2zr, iso_valid, iso_note, and warnings ("m2_below_1",
    "waist_outside_range").
    Raises ValueError for a wavelength outside 150 .. 20000 nm or a fit without a waist."""

// The Python module `lumetra`: the beam measurement and the caustic fit of lumetra-cli for
// scripts and notebooks, on files or on arrays the script already holds.
#include "LumetraVersion.h"
#include "python/ModuleFunctions.h"
#include "python/PythonPaths.h"
#include "platform/framefiles/PictureFiles.h"
#include "types/MessageLanguage.h"

#include <pybind11/eval.h>
#include <pybind11/stl.h>

namespace py = pybind11;
using namespace lumetra::python;

namespace {

// lumetra.Frame: what read_frame returns. A numpy array that carries its file's depth through
// slices, copies and astype; arithmetic on it gives plain arrays, whose depth is no longer known.
const char *const FrameClass = R"(
try:
    import numpy as _numpy
except ImportError:
    # An interpreter of the same Python version without a numpy of its own (pyenv, a virtual
    # environment) beside the system's: the system's numpy, built for the same ABI, serves.
    import sys as _sys
    _sys.path.append("/usr/lib/python3/dist-packages")
    import numpy as _numpy

class Frame(_numpy.ndarray):
    """A frame read by read_frame: a 2-D numpy array (rows x columns) of grey values.

    Attributes:
        bit_depth: 8 or 16, the bits of the file's samples.
        top_value: the file's top code (255, a PGM's maxval, a PNG's 2**sBIT - 1, 65535); pixels
            at it count as saturated.
        path: the file it was read from.

    Slices, copies and astype keep the attributes, and measure_beam uses them. The results of
    arithmetic are plain numpy arrays: give measure_beam their top code with top=... .
    """

    def __array_finalize__(self, obj):
        self.bit_depth = getattr(obj, "bit_depth", None)
        self.top_value = getattr(obj, "top_value", None)
        self.path = getattr(obj, "path", None)

    def __array_wrap__(self, out, context=None):
        return out.view(_numpy.ndarray) if out.ndim else out[()]

    def __reduce__(self):
        constructor, args, state = super().__reduce__()
        return constructor, args, (state, self.bit_depth, self.top_value, self.path)

    def __setstate__(self, state):
        super().__setstate__(state[0])
        self.bit_depth, self.top_value, self.path = state[1:]
)";

const char *const ModuleDoc =
    R"(Lumetra's beam measurement for Python: ISO 11146 second-moment (D4sigma) diameters,
centroid and orientation of a beam in a camera frame, and the M2 fit of a caustic, with the
same numbers as lumetra-cli.

    import lumetra
    frame = lumetra.read_frame("beam.png")        # a numpy array with bit_depth and top_value
    row = lumetra.measure_beam(frame, pixel_size_um=5.5)
    print(row["d_x_um"], row["d_y_um"], row["centroid_x"])

Functions: read_frame, measure_beam, measure_files, fit_caustic. The measurements release the
GIL, so Python threads measure in parallel.)";

const char *const ReadFrameDoc = R"(Reads a camera frame at full resolution and sample depth.

Reads BMP, JPEG, PNG 8/16 bit (its sBIT significant bits honoured: a 12-bit PNG gives codes
0..4095), PGM/PPM up to maxval 65535 and TIFF 8/16-bit grey or RGB, exactly as lumetra-cli beam
reads them.

Returns a lumetra.Frame, a 2-D numpy array (rows x columns) with the attributes bit_depth (8 or 16),
top_value (the file's top code: pixels at it count as saturated) and path. The samples are uint8
(8-bit files) or uint16 (16-bit files). A colour pixel counts as 0.299 R + 0.587 G + 0.114 B, not
rounded: a colour file whose grey has fractions gives float32, so measure_beam gets exactly the
values the command line measures.

Raises FileNotFoundError for a missing file and OSError for one that cannot be read, is damaged
or truncated (the message is the one lumetra-cli prints).)";

const char *const MeasureBeamDoc =
    R"(Measures the beam in one grey frame, as lumetra-cli beam measures a file.

frame: a 2-D array (rows x columns) of uint8, uint16, float32 or float64: a Frame from
    read_frame or any numpy array. An aligned C-contiguous float32 array is read in place;
    other types and strides are converted once.
top: the code at which a pixel counts as saturated. Default: the Frame's top_value, else 255
    for uint8 and 65535 for uint16; for floating-point arrays without one, saturated_pixels is
    None.
dark: a dark frame subtracted pixel by pixel first: an array of the same shape or a file path.
pixel_size_um: the pixel pitch; adds pixel_size_um and the diameters in micrometres (*_um).
method: "robust" (the two-estimate method described below) or "iso" (the textbook ISO 11146
    procedure: corner dark level, rectangle of 3 diameters, iterated), as --method.
stripes: "auto" subtracts smear columns or rows through the beam when found, "off" never
    (field stripe_correction), as --stripes.
corner_fraction: side of each corner rectangle that gives the dark level and the noise, as a
    fraction of the frame's side, in (0, 0.5].
noise_factor: n_T in [0, 100]: lit pixels stand this many noise deviations above the dark level.
mask_diameters: M in (0, 100]: the integration rectangle is M diameters on a side.
widths: "d4s", the second-moment diameters; "all" adds the widths and shape figures of
    `lumetra-cli beam --widths all` (d86, knife-edge, clip, Gaussian fit, ISO 13694).

Returns a dict with the keys and values of `lumetra-cli beam --format json` (without "image"):
    status            "ok" or "no beam" (nothing stands out of the noise)
    width, height     pixels; bit_depth: 8, 16, or None for a floating-point array
    peak, saturated_pixels, background, background_noise
                      highest raw value, pixels at the top code (any: the diameters are too
                      small), dark level and pixel noise from the four corners
    centroid_x, centroid_y   px, from the centre of the top-left pixel
    d_major, d_minor, d_x, d_y   D4sigma diameters in px (4 sigma; the 1/e2 diameter of a
                      Gaussian) along the principal axes and the frame's axes
    phi_deg           the major axis, counter-clockwise as seen on screen, in (-90, 90]
    ellipticity       d_minor / d_major
    iterations, converged   rounds of both estimates; whether both settled
    background_warning   the clipped and the reported estimate differ by more than 10 %: the
                      dark level dominates the diameters, a dark frame will help
    pixel_size_um, d_major_um, d_minor_um, d_x_um, d_y_um   with pixel_size_um only
    method            "robust" or "iso"; stripe_correction: "columns", "rows" or None
    warnings          list of str, empty for a clean measurement: "background_structure",
                      "not_converged", "saturated", "beam_clipped" (the beam or its integration
                      area reaches the frame's edge), "larger_than_frame", "estimators_disagree"
                      (D4sigma and the knife-edge or Gaussian widths of a near-Gaussian beam differ
                      by more than 10 %; with widths="all"), "low_signal" (the pixel noise alone
                      makes the diameters uncertain by more than 5 %)
  with widths="all", after the D4sigma keys (px, on the same corrected frame and integration
  area; with pixel_size_um each width also as <name>_um and iso_effective_area_um2 in um2):
    d86               diameter of the circle about the centroid holding 86.5 % of the power, px
    knife_x, knife_y, knife_major, knife_minor
                      knife-edge widths (1.561 x the 10-90 % distance, 2w of a Gaussian), px
    clip_major, clip_minor   profile width through the centroid at 13.5 % (1/e2) of its peak, px
    fwhm_major, fwhm_minor   the same at 50 %, px
    gauss_major, gauss_minor   2w of the fitted elliptical Gaussian, px; gauss_phi_deg (deg),
                      gauss_x, gauss_y (px), gauss_offset (frame units), gauss_r2 (goodness, 1 best)
    iso_effective_area   ISO 13694 effective irradiation area P / E_max, px2
    iso_flatness, iso_uniformity, iso_plateau_uniformity, iso_edge_steepness
                      ISO 13694 flat-top figures, dimensionless (None where they do not exist)
Values that do not exist (no beam) are None.

Whether there is a beam: a matched filter at several scales against the frame's own noise, with
at most 1 false "ok" in 10,000 frames of pure noise.

The method: a clipped estimate (pixels less than n_T noise deviations above the dark level count
as 0), then unclipped moments inside 2/3 of an M-diameter rectangle with the dark level fitted as
a plane to the band around it, iterated until centroid and diameters settle (ISO/TR 11146-3).

Raises TypeError for other sample types; ValueError for an array that is not 2-D, is empty or
holds NaN or infinite values, a dark frame of another shape and options out of range; OSError
for a dark file that cannot be read. The GIL is released while measuring.)";

const char *const MeasureFilesDoc =
    R"(Reads and measures files in parallel, as `lumetra-cli beam FILE...` does.

paths: file paths (str, bytes or os.PathLike).
threads: worker threads; 0 (the default) uses one per core.
errors: "raise" (default): the first file in order that cannot be read raises OSError
    (FileNotFoundError when missing), or ValueError when the dark frame's size differs from it;
    "row": such a file gets the command line's row, status "unreadable" and None values.
The other options are measure_beam's (the top code comes from each file).

Returns one dict per file, in the given order, with the keys and values of
`lumetra-cli beam --format json`, "image" being the path as given. The GIL is released while
measuring.)";

const char *const FitCausticDoc =
    R"(Fits the caustic of a beam after ISO 11146-1, as `lumetra-cli m2 --diameters` does.

z_mm: positions along the beam (mm); d_um: the diameters there (um), the "x" axis; dy_um:
optionally the second axis ("y") at the same positions. wavelength_nm: the wavelength (nm).
Each axis is fitted as d(z)^2 = A + B z + C z^2 by least squares on d^2.

Returns the command line's JSON as a dict: {"wavelength_nm", "x": {...}, "y": {...}} where each
axis holds d0_um (waist diameter), z0_mm (waist position), zr_mm (Rayleigh length), theta_mrad
(full divergence), m2, each with its 1 sigma standard error beside it (d0_um_sd, z0_mm_sd, zr_mm_sd,
theta_mrad_sd, m2_sd; None for 3 points), residual_rms_um, points, points_within_zr,
points_beyond_2zr, iso_valid (at least 10 points, 5 within zR and 5 beyond 2 zR), iso_note (what is
missing) and warnings ("m2_below_1" whenever M² < 0.99, "waist_outside_range").

Raises ValueError when the lengths differ, the wavelength lies outside 150 .. 20000 nm (1.064 or
1064e-9 are micrometres or metres, not nanometres), or an axis has no waist (fewer than 3 distinct
z, diameters that do not narrow, non-positive diameters): never NaN.)";

} // namespace

PYBIND11_MODULE(lumetra, m)
{
    m.doc() = ModuleDoc;
    // Qt's image plug-ins, on the thread that imports the module: loaded by a Python thread
    // (read_frame called on threads) they outlive it and corrupt the heap at exit.
    lumetra::preloadImagePlugins();
    lumetra::setMessagesInEnglish(true); // readers and devices speak English to Python
    // The project's version, as lumetra-cli --version gives it (without the checkout's part).
    m.attr("__version__") = LUMETRA_VERSION;
    py::exec(FrameClass, m.attr("__dict__"));
    m.attr("__dict__")["Frame"].attr("__module__") = "lumetra";
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const FileReadError &e) {
            PyErr_SetString(e.missing ? PyExc_FileNotFoundError : PyExc_OSError, e.what());
        }
    });

    const lumetra::python::OptionArgs d;
    m.def("read_frame", &readFrame, ReadFrameDoc, py::arg("path"));
    m.def(
        "measure_beam",
        [](const py::object &frame, std::optional<double> top, const py::object &dark,
           std::optional<double> pixelSizeUm, const std::string &method, const std::string &stripes,
           double cornerFraction, double noiseFactor, double maskDiameters, const std::string &widths) {
            return measureBeam(
                frame, top, dark,
                {method, stripes, widths, cornerFraction, noiseFactor, maskDiameters, pixelSizeUm});
        },
        MeasureBeamDoc, py::arg("frame"), py::kw_only(), py::arg("top") = py::none(),
        py::arg("dark") = py::none(), py::arg("pixel_size_um") = py::none(), py::arg("method") = d.method,
        py::arg("stripes") = d.stripes, py::arg("corner_fraction") = d.cornerFraction,
        py::arg("noise_factor") = d.noiseFactor, py::arg("mask_diameters") = d.maskDiameters,
        py::arg("widths") = d.widths);
    m.def(
        "measure_files",
        [](const py::object &paths, int threads, const std::string &errors, const std::string &widths,
           const py::object &dark, std::optional<double> pixelSizeUm, const std::string &method,
           double cornerFraction, const std::string &stripes, double noiseFactor, double maskDiameters) {
            return measureFiles(
                paths, threads, dark,
                {method, stripes, widths, cornerFraction, noiseFactor, maskDiameters, pixelSizeUm}, errors);
        },
        MeasureFilesDoc, py::arg("paths"), py::kw_only(), py::arg("threads") = 0, py::arg("errors") = "raise",
        py::arg("widths") = d.widths, py::arg("dark") = py::none(), py::arg("pixel_size_um") = py::none(),
        py::arg("method") = d.method, py::arg("corner_fraction") = d.cornerFraction,
        py::arg("stripes") = d.stripes, py::arg("noise_factor") = d.noiseFactor,
        py::arg("mask_diameters") = d.maskDiameters);
    m.def("fit_caustic", &fitCaustic, FitCausticDoc, py::arg("z_mm"), py::arg("d_um"), py::kw_only(),
          py::arg("wavelength_nm"), py::arg("dy_um") = py::none());
}

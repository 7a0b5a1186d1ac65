"""The folder example draws its plot, and the type stub names what the module has."""
import ast
import os
import re
import subprocess
import sys

import lumetra
from conftest import SOURCE_DIR, beam_frame, write_png


def test_measure_folder_plots_a_series(tmp_path):
    for i in range(3):
        write_png(tmp_path / f"frame{i}.png", beam_frame(cx=140 + 5 * i, seed=i))
    (tmp_path / "frame3.png").write_bytes(b"not a picture")
    out = tmp_path / "series.png"
    env = dict(os.environ, MPLBACKEND="Agg")
    done = subprocess.run([sys.executable, os.path.join(SOURCE_DIR, "examples", "measure_folder.py"), str(tmp_path),
                           "--pixel-size", "5.5", "--out", str(out)], capture_output=True, text=True, env=env,
                          timeout=120)
    assert done.returncode == 0, done.stderr
    assert "3 of 4 frames measured" in done.stdout
    assert "frame3.png: unreadable" in done.stderr
    assert out.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    assert lumetra.read_frame(out).shape[0] > 300
    assert sorted(p.name for p in tmp_path.iterdir() if p.suffix == ".png")[-1] == "series.png"


def test_stub_declares_the_modules_functions_and_keywords():
    with open(os.path.join(SOURCE_DIR, "src", "python", "lumetra.pyi"), encoding="utf-8") as f:
        stub = ast.parse(f.read())
    declared = {}
    for node in stub.body:
        if isinstance(node, ast.FunctionDef):
            a = node.args
            declared[node.name] = [p.arg for p in a.args] + (["*"] if a.kwonlyargs else []) + \
                [p.arg for p in a.kwonlyargs]
    public = sorted(n for n in dir(lumetra) if not n.startswith("_") and callable(getattr(lumetra, n)))
    assert sorted([*declared, "Frame"]) == public
    for name, parameters in declared.items():
        signature = getattr(lumetra, name).__doc__.splitlines()[0]  # name(a: type, *, b: type = x) -> type
        inside = signature[signature.index("(") + 1:signature.rindex(") ->")]
        assert [p.split(":")[0] for p in inside.split(", ")] == parameters, name
        assert len(getattr(lumetra, name).__doc__) > 400  # a docstring beyond the signature


def test_version_is_the_projects():
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt"), encoding="utf-8") as f:
        declared = re.search(r"project\(Lumetra VERSION ([0-9.]+)", f.read()).group(1)
    assert lumetra.__version__ == declared
    cli = os.environ.get("LUMETRA_CLI")
    if cli:
        done = subprocess.run([cli, "--version"], capture_output=True, text=True, timeout=60)
        assert done.stdout.split()[:2] == ["lumetra-cli", lumetra.__version__]


def test_docstrings_and_stub_name_every_key_the_functions_return():
    with open(os.path.join(SOURCE_DIR, "src", "python", "lumetra.pyi"), encoding="utf-8") as f:
        stub = {node.name: ast.get_docstring(node) for node in ast.parse(f.read()).body
                if isinstance(node, ast.FunctionDef)}
    row = lumetra.measure_beam(beam_frame(), pixel_size_um=5.5, widths="all")
    fit = lumetra.fit_caustic([-20, -10, 0, 10, 20], [300, 180, 120, 180, 300], wavelength_nm=1064)
    keys = {"measure_beam": set(row), "fit_caustic": set(fit) | set(fit["x"])}
    for name, returned in keys.items():
        for doc in (getattr(lumetra, name).__doc__, stub[name]):
            words = set(re.findall(r"[a-z_0-9]+", doc))
            # <name>_um / *_sd stand for the families they name.
            missing = {k for k in returned if k not in words and not (k.endswith("_um") and "_um" in doc)
                       and not (k.endswith("_sd") and "_sd" in doc)}
            assert not missing, f"{name}: {sorted(missing)}"

"""The notebook picture of a plate with openings, rendered by headless Chromium."""
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

import pytest

from conftest import plate_with_openings

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, "..", "tools", "png_nonblank.py")


def test_svg_is_well_formed_with_holes_cut_out():
    picture = plate_with_openings()._repr_svg_()
    root = ET.fromstring(picture)
    path = root.find(".//{http://www.w3.org/2000/svg}path")
    assert path.get("fill-rule") == "evenodd"
    assert path.get("d").count("M ") == 4                  # the plate and three openings
    assert "scale(1,-1)" in picture                          # y upward


def test_picture_renders_in_headless_chromium(tmp_path):
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        pytest.fail("chromium is not installed (scripts/install-deps.sh installs it)")
    svg = tmp_path / "plate.svg"
    svg.write_text(plate_with_openings()._repr_svg_())
    png = tmp_path / "plate.png"
    subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--user-data-dir=%s" % (tmp_path / "profile"), "--window-size=400,300",
                    "--screenshot=%s" % png, "file://%s" % svg],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120, check=False)
    assert png.exists(), "chromium wrote no screenshot"
    check = subprocess.run([sys.executable, CHECKER, str(png), "0.05"], capture_output=True, text=True)
    print(check.stdout)
    assert check.returncode == 0, check.stdout

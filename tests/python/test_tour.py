"""The tour example runs and prints every part."""
import importlib.util
import os

HERE = os.path.dirname(os.path.abspath(__file__))
TOUR = os.path.join(HERE, "..", "..", "python", "examples", "tour.py")


def test_tour(tmp_path, capsys):
    found = importlib.util.spec_from_file_location("tour", TOUR)
    tour = importlib.util.module_from_spec(found)
    found.loader.exec_module(tour)
    tour.main(str(tmp_path))
    out = capsys.readouterr().out
    assert "plate minus openings: 4 rings" in out
    assert "roots of -6 + 11x - 6x^2 + x^3:" in out and "minimax broken line" in out
    assert (tmp_path / "plate.svg").read_text().startswith("<svg")

"""Formulas: values, derivatives, errors with the engine's codes."""
import math

import pytest

import zeltmath


def test_values_variables_and_degrees():
    f = zeltmath.Formula("a*sin(x)+2")
    assert f.variables == ["a", "x"] and str(f) == "a*sin(x)+2"
    assert f(a=3, x=0.5) == pytest.approx(3 * math.sin(0.5) + 2)
    deg = zeltmath.Formula("a*sin(x)+2", angle_factor=math.pi / 180)
    assert deg(a=3, x=30) == pytest.approx(3.5) and deg.angle_factor == pytest.approx(math.pi / 180)
    assert zeltmath.Formula("2^3^2")() == 64                      # left-associative power


def test_derivatives():
    f = zeltmath.Formula("x^2+3*x")
    d = f.derivative("x")
    assert isinstance(d, zeltmath.Formula) and d.variables == ["x"]
    assert d(x=2) == pytest.approx(7)
    assert zeltmath.Formula(str(d))(x=5) == pytest.approx(13)      # the printed text parses again
    assert f.derivative("y")() == 0
    g = zeltmath.Formula("x*exp(y)")
    assert g.derivative("y")(x=2, y=1) == pytest.approx(2 * math.e)


def test_errors_carry_code_and_message():
    cases = [("1/0", 1), ("sqrt(-4)", 2), ("asin(2)", 6), ("x+", 21), ("", 21), ("x y", 22), ("(x", 24),
             ("foo(x)", 25), ("x : 1", 27), ("x ? 1", 28)]
    for text, code in cases:
        with pytest.raises(zeltmath.FormulaError) as info:
            zeltmath.Formula(text)
        assert info.value.code == code, text
        assert info.value.message and info.value.message in str(info.value)
        assert isinstance(info.value, ValueError)
    f = zeltmath.Formula("1/x")
    with pytest.raises(zeltmath.FormulaError) as info:
        f(x=0)
    assert info.value.code == 1
    # The recovery of the code leaves the messages as they were.
    with pytest.raises(zeltmath.FormulaError) as again:
        f(x=0)
    assert again.value.message == info.value.message
    assert f(x=4) == 0.25


def test_bad_calls():
    f = zeltmath.Formula("x+y")
    with pytest.raises(TypeError, match="missing value for the variable 'y'"):
        f(x=1)
    with pytest.raises(TypeError, match="no variable 'z'"):
        f(x=1, y=2, z=3)
    with pytest.raises(TypeError):
        f(x="one", y=2)
    with pytest.raises(ValueError, match="finite"):
        zeltmath.Formula("x", angle_factor=math.nan)

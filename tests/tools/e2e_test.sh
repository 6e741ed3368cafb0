#!/bin/sh
# End-to-end tests of the installed zeltmath tool: each case runs the tool on
# example inputs and compares its exit code and its output (standard output
# for successes, the one-line message on standard error for failures).
# Usage: e2e_test.sh BUILD_DIR DATA_DIR WORK_DIR
set -u
build=$1
data=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null || { echo "install failed"; exit 1; }
tool="$work/prefix/bin/zeltmath"
export LC_ALL=C
failures=0
passed=0

# run NAME CODE EXPECTED ARGS...: EXPECTED is a file under expected/ for
# code 0, else a text that the message must contain.
run() {
    name=$1 code=$2 expected=$3
    shift 3
    "$tool" "$@" >"$work/$name.out" 2>"$work/$name.err" </dev/null
    got=$?
    ok=1
    if [ "$got" -ne "$code" ]; then
        echo "FAIL $name: exit code $got, expected $code"; ok=0
    elif [ "$code" -eq 0 ]; then
        if ! diff -u "$data/../expected/$expected" "$work/$name.out"; then
            echo "FAIL $name: output differs"; ok=0
        fi
    else
        if [ "$(wc -l <"$work/$name.err")" -ne 1 ] || ! grep -qF -- "$expected" "$work/$name.err"; then
            echo "FAIL $name: message '$(cat "$work/$name.err")' lacks '$expected'"; ok=0
        fi
        if [ -s "$work/$name.out" ]; then
            echo "FAIL $name: a failure printed output"; ok=0
        fi
    fi
    if [ $ok -eq 1 ]; then passed=$((passed + 1)); else failures=$((failures + 1)); fi
}

# Results.
run calc_value 0 calc_value.txt calc "2*x+y/4" x=3 y=2
run calc_degrees 0 calc_degrees.txt calc "a*cos(t)" a=4 t=60 --degrees
run calc_derivative 0 calc_derivative.txt calc "x^2+3*x" x=2 --derivative x
run roots_quadratic 0 roots_quadratic.txt roots 2 -3 1
run roots_cubic 0 roots_cubic.txt roots -6 11 -6 1
run roots_complex 0 roots_complex.txt roots 1 0 1
run clip_intersection 0 clip_intersection.txt clip intersection "$data/square.wkt" "$data/shifted.wkt"
run clip_union 0 clip_union.txt clip union "$data/square.wkt" "$data/shifted.wkt"
run clip_difference 0 clip_difference.txt clip difference "$data/square.wkt" "$data/shifted.wkt"
run clip_xor 0 clip_xor.txt clip xor "$data/square.wkt" "$data/shifted.wkt"
run clip_hole 0 clip_hole.txt clip difference "$data/frame.wkt" "$data/window.wkt"
run normalize 0 normalize.txt normalize "$data/overlap.wkt"
run fit_line 0 fit_line.txt fit "$data/line.csv" --nodes 0,4
run fit_vee 0 fit_vee.txt fit "$data/vee.csv" --nodes -2,0,2

# Standard input.
"$tool" clip union - "$data/shifted.wkt" <"$data/square.wkt" >"$work/stdin.out" 2>&1 &&
    diff -u "$data/../expected/clip_union.txt" "$work/stdin.out" >/dev/null &&
    passed=$((passed + 1)) || { echo "FAIL stdin"; failures=$((failures + 1)); }

# Pictures: written whole, and not at all when the command fails.
run clip_svg 0 clip_hole.txt clip difference "$data/frame.wkt" "$data/window.wkt" --svg "$work/hole.svg"
if grep -q "<svg" "$work/hole.svg" && grep -q "evenodd" "$work/hole.svg"; then
    passed=$((passed + 1))
else
    echo "FAIL svg: $work/hole.svg is not a picture"; failures=$((failures + 1))
fi
run svg_failed 2 "malformed WKT" clip union "$data/bad.wkt" "$data/square.wkt" --svg "$work/none.svg"
if [ -e "$work/none.svg" ]; then echo "FAIL svg_failed: file written"; failures=$((failures + 1)); fi
run svg_unwritable 2 "cannot write" clip union "$data/square.wkt" "$data/square.wkt" --svg "$work/no/such/dir.svg"

# Bad input and computations that fail.
run missing_file 2 "cannot read $work/missing.wkt" clip union "$work/missing.wkt" "$data/square.wkt"
run malformed_wkt 2 "malformed WKT at offset 22" normalize "$data/bad.wkt"
run unknown_operation 2 "unknown operation 'merge'" clip merge "$data/square.wkt" "$data/square.wkt"
run bad_coefficient 2 "'two' is not a number" roots 1 two 3
run no_coefficients 2 "COEFFICIENTS" roots
run constant 1 "non-zero constant" roots 5
run zero_polynomial 1 "every coefficient is zero" roots 0 0
run bad_formula 2 "calc:" calc "2*(x+1"
run unknown_variable 2 "no variable 'z'" calc "x+1" x=1 z=2
run unset_variable 2 "variable 'y' has no value" calc "x+y" x=1
run division_by_zero 1 "calc:" calc "1/x" x=0
run bad_nodes 2 "increasing order" fit "$data/line.csv" --nodes 3,1
run bad_table 2 "bad.csv:3: expected two numbers" fit "$data/bad.csv" --nodes 0
run short_table 2 "at least two points" fit "$data/bad.wkt" --nodes 0
run unknown_command 2 "zeltmath" frobnicate
run no_command 2 "zeltmath" 

# Help on every subcommand.
for sub in calc roots clip normalize fit demo; do
    if "$tool" "$sub" --help >"$work/help.out" 2>&1 && grep -q "$sub" "$work/help.out"; then
        passed=$((passed + 1))
    else
        echo "FAIL help of $sub"; failures=$((failures + 1))
    fi
done

# The demo writes its pictures into the folder it names.
if (cd "$work" && "$tool" demo --folder pics >demo.out 2>&1) && [ -s "$work/pics/web-openings.svg" ] &&
    [ -s "$work/pics/fit.svg" ] && grep -q "pictures written to pics" "$work/demo.out"; then
    passed=$((passed + 1))
else
    echo "FAIL demo"; cat "$work/demo.out"; failures=$((failures + 1))
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

// The parts of the core module, one function per area of the library.
#ifndef ZELTMATH_PYTHON_BINDINGS_H
#define ZELTMATH_PYTHON_BINDINGS_H

#include <pybind11/pybind11.h>

namespace zpy {

void BindGeometry(pybind11::module_& m);
void BindMatrix(pybind11::module_& m);
void BindFormula(pybind11::module_& m);
void BindNumeric(pybind11::module_& m);
void BindOptimize(pybind11::module_& m);
void BindAnn(pybind11::module_& m);

} // namespace zpy

#endif

// The compiled core of the Python package zeltmath.  Everything here calls
// the library's own code; the package's __init__ adds the pictures and the
// WKT / GeoJSON interchange in plain Python.
#include "bindings.h"

#include <zeltmath/base/exception.h>

#include <string>

PYBIND11_MODULE(_core, m)
{
    m.doc() = "Compiled core of the zeltmath package (import zeltmath instead).";
    // The linear-programming engine reports its breakdowns as CZELTException.
    pybind11::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const CZELTException& e) {
            std::string text = "the linear-programming engine broke down (code " +
                               std::to_string(e.GetCode()) + ")";
            if (e.HasMessage())
                text += std::string(": ") + e.GetMessage();
            PyErr_SetString(PyExc_RuntimeError, text.c_str());
        }
    });
    zpy::BindGeometry(m);
    zpy::BindMatrix(m);
    zpy::BindFormula(m);
    zpy::BindNumeric(m);
    zpy::BindOptimize(m);
    zpy::BindAnn(m);
}

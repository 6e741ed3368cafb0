#include <zeltmath/optimize/opt.h>

#include <zeltmath/numeric/core.h>

CZELTMathOpt::~CZELTMathOpt() = default;

bool CZELTMathOpt::ObjConstraint(int, int, const double*, double& value) const
{
    value = ZT_INFINITY;
    return true;
}

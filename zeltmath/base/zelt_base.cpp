#include <zeltmath/base/zelt_base.h>

CZELTBase::~CZELTBase() = default;

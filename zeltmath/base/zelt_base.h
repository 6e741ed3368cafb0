#ifndef ZELTMATH_BASE_ZELT_BASE_H
#define ZELTMATH_BASE_ZELT_BASE_H

#include <zeltmath/base/export.h>

// Common root of the suite's classes.  Classes derive from it virtually, so a
// final object that combines several of them holds one CZELTBase.
class ZELTMATH_API CZELTBase {
protected:
    CZELTBase() = default;
    CZELTBase(const CZELTBase&) = default;
    CZELTBase& operator=(const CZELTBase&) = default;
    virtual ~CZELTBase();
};

#endif

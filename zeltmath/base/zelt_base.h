#ifndef ZELTMATH_BASE_ZELT_BASE_H
#define ZELTMATH_BASE_ZELT_BASE_H
/// \file
/// The common virtual base class of the suite's classes.

#include <zeltmath/base/export.h>

/// Common root of the suite's classes.  Classes derive from it virtually, so a
/// final object that combines several of them holds one CZELTBase.
class ZELTMATH_API CZELTBase {
protected:
    /// Nothing to initialise: the class holds no data.
    CZELTBase() = default;
    /// Copies nothing: the class holds no data.
    CZELTBase(const CZELTBase&) = default;
    /// Copies nothing: the class holds no data.
    CZELTBase& operator=(const CZELTBase&) = default;
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~CZELTBase();
};

#endif

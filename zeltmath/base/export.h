#ifndef ZELTMATH_BASE_EXPORT_H
#define ZELTMATH_BASE_EXPORT_H
/// \file
/// The export marker of the library's public classes, functions and constants.

// The library is built with hidden visibility; ZELTMATH_API marks the classes,
// functions and constants that make up its public interface.
#if defined(_WIN32)
#  if defined(ZELTMATH_BUILDING)
#    define ZELTMATH_API __declspec(dllexport)
#  else
#    define ZELTMATH_API __declspec(dllimport)
#  endif
#else
/// Marks a class, function or constant as part of the library's exported interface.
#  define ZELTMATH_API __attribute__((visibility("default")))
#endif

#endif

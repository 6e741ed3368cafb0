#ifndef ZELTMATH_TOOL_ERRORS_H
#define ZELTMATH_TOOL_ERRORS_H

#include <stdexcept>
#include <string>

namespace zcli {

// Bad usage or unreadable input: the tool exits with 2.
class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& what) : std::runtime_error(what) {}
};

// A computation that reported failure: the tool exits with 1.
class ComputeError : public std::runtime_error {
public:
    explicit ComputeError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace zcli

#endif

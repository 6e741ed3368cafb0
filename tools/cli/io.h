#ifndef ZELTMATH_TOOL_IO_H
#define ZELTMATH_TOOL_IO_H

#include <string>
#include <string_view>
#include <vector>

namespace zcli {

// The whole content of a file, or of standard input when path is "-".
// Throws InputError naming the file when it cannot be read.
std::string ReadInput(const std::string& path);

// Writes content to path so that the file appears whole or not at all: the
// text goes to a temporary file beside it, which is renamed over path.
// Throws InputError when the file cannot be written.
void WriteFileAtomic(const std::string& path, std::string_view content);

// A number in the C locale's notation whatever the process locale says;
// the whole text must be the number.  Returns false for anything else.
bool ParseNumber(std::string_view text, double& value);

// A double in its shortest form that reads back to the same value.
std::string FormatNumber(double value);

// Splits text at each separator; empty fields are kept.
std::vector<std::string_view> Split(std::string_view text, char separator);

// Text without leading and trailing blanks.
std::string_view Trim(std::string_view text);

} // namespace zcli

#endif

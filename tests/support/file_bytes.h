// Whole files as bytes, for checking exactly what the engine reads and writes.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// The bytes of the file at `path`. Throws std::runtime_error when it cannot be read.
std::string ReadBytes(const std::string& path);

// Creates or replaces the file at `path` with `bytes`. Throws std::runtime_error on failure.
void WriteBytes(const std::string& path, const std::string& bytes);

// Each line followed by CR LF, as the engine writes column files.
std::string CrLfLines(const std::vector<std::string>& lines);

}  // namespace kelvo

// Reads a shared object's dynamic symbol table, as a host's loader sees it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morvik::testing {

// Names of the symbols a 64-bit little-endian ELF file defines and exports
// (global, weak or unique binding). Throws std::runtime_error for a file that
// is not such an ELF file or is cut short.
std::vector<std::string> exportedSymbols(const std::filesystem::path& sharedObject);

}  // namespace morvik::testing

// Runs a program to completion and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morvik::testing {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// No shell is involved, so arguments need no quoting. The program gets this
// process's environment plus `environment` ("NAME=value" each). Output goes
// through files in `scratch`.
ProcessResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& scratch,
                         const std::vector<std::string>& environment = {});

}  // namespace morvik::testing

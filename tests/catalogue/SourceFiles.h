#pragma once
// Paths of files in the source tree: the one the test binary was built from
// (CIFRARIO_SOURCE_DIR, defined by the build), or another named by the
// environment variable of the same name.
#include <cstdlib>
#include <string>

inline std::string sourcePath(const std::string& relative)
{
    const char* root = std::getenv("CIFRARIO_SOURCE_DIR");
    return std::string(root ? root : CIFRARIO_SOURCE_DIR) + "/" + relative;
}

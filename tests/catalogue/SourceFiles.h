#pragma once
// Paths of files in the source tree; ctest sets CIFRARIO_SOURCE_DIR.
#include <cstdlib>
#include <string>

inline std::string sourcePath(const std::string& relative)
{
    const char* root = std::getenv("CIFRARIO_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + relative;
}

#pragma once
// Standard error sent to a file while the object lives, so a test reads the
// very bytes the log writes there, lines and all.
#include "support/TempFolder.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace testsupport {

class StandardErrorFile {
public:
    StandardErrorFile()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        const int file = ::open(path().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file >= 0) {
            ::dup2(file, 2);
            ::close(file);
        }
    }
    ~StandardErrorFile() { restore(); }
    StandardErrorFile(const StandardErrorFile&) = delete;
    StandardErrorFile& operator=(const StandardErrorFile&) = delete;

    // Gives standard error back, then reads what was written meanwhile, line
    // by line.
    std::vector<std::string> lines()
    {
        restore();
        std::ifstream in(path());
        std::vector<std::string> read;
        for (std::string line; std::getline(in, line);)
            read.push_back(line);
        return read;
    }

private:
    std::filesystem::path path() const { return folder_.path() / "stderr.txt"; }
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }

    TempFolder folder_;
    int saved_ = -1;
};

} // namespace testsupport

// rename_font <font.ttf> <family> <out.ttf>: writes a copy of the font named
// as the given family (see FontRename.h).
#include "FontRename.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: rename_font <font.ttf> <family> <out.ttf>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        std::cerr << "rename_font: cannot read " << argv[1] << "\n";
        return 1;
    }
    const fonttool::Renamed renamed = fonttool::renameFamily(bytes.str(), argv[2]);
    if (renamed.font.empty()) {
        std::cerr << "rename_font: " << argv[1] << ": " << renamed.error << "\n";
        return 1;
    }
    // Written beside the target and moved over it, so no half-written font is
    // ever in the bundle.
    const std::string partial = std::string(argv[3]) + ".part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(renamed.font.data(), static_cast<std::streamsize>(renamed.font.size()));
    out.close();
    if (!out || std::rename(partial.c_str(), argv[3]) != 0) {
        std::cerr << "rename_font: cannot write " << argv[3] << "\n";
        std::remove(partial.c_str());
        return 1;
    }
    return 0;
}

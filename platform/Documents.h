#pragma once
// The Documents folder: "Documents" inside the application's data folder, the
// one place where the program keeps files of its own. Every entry directly in
// it is named by a plain entry name; nothing here reaches outside the folder.
#include "platform/Result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Documents {
public:
    // A list file is a few kilobytes; anything far larger is not one of ours
    // and is not read into memory.
    static constexpr std::size_t maxReadSize = 16 * 1024 * 1024;

    // Documents/ inside the given data folder.
    explicit Documents(const std::filesystem::path& dataFolder);

    // Documents/ inside the application's data folder (QStandardPaths'
    // application data location), as it stands at this call.
    static Documents standard();

    const std::filesystem::path& directory() const { return directory_; }

    // A plain entry name: not empty, not "." or "..", no "/" and no NUL byte,
    // and not a temporary file's name. Blanks, case and dots are part of the
    // name like any other character.
    static bool isEntryName(std::string_view name);

    // The names of every entry of the folder (files, folders, links, hidden
    // entries alike) but write()'s temporary files, in the order the file
    // system gives them. The folder is created when missing. A folder that
    // cannot be listed is an error, and says so in the log.
    Result<std::vector<std::string>> entries() const;

    // The bytes of the regular file (or link to one) under that name, at most
    // maxBytes (a larger file is refused). Anything else (a FIFO, a device, a folder, a dangling
    // link) is refused without waiting on it.
    Result<std::string> read(std::string_view name, std::size_t maxBytes = maxReadSize) const;

    // Replaces the entry's content with the bytes in one step: they are written
    // to a temporary file in Documents/ itself, flushed to disk and renamed
    // into place; the listing passes over temporary files, so nothing half
    // written is ever listed, and the rename stays inside one folder whatever
    // is mounted where. A failure leaves the old file whole and removes the
    // temporary file. An entry that is a folder is not replaced.
    Result<void> write(std::string_view name, std::string_view bytes) const;

    // Removes the entry itself: a link is removed, never what it points to; a
    // folder is removed with what it holds, without following links in it.
    Result<void> remove(std::string_view name) const;

    // Temporary files of write() begin with this. A writer that is killed may
    // leave one behind; such files are never listed or read, and a later write
    // removes those older than a minute. No list can take such a name.
    static constexpr std::string_view temporaryPrefix = ".Documents-save-";
    static bool isTemporaryName(std::string_view name);

private:
    std::filesystem::path directory_;
};

} // namespace platform

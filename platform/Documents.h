#pragma once
// The Documents folder: "Documents" inside the application's data folder, the
// one place where the program keeps files of its own. Every entry directly in
// it is named by a plain entry name; nothing here reaches outside the folder.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Documents {
public:
    // The outcome of an operation; reason says why it failed, for the log.
    struct Outcome {
        bool ok = true;
        std::string reason;
        explicit operator bool() const { return ok; }
    };

    // Documents/ inside the given data folder.
    explicit Documents(std::filesystem::path dataFolder);

    // Documents/ inside the application's data folder (QStandardPaths'
    // application data location), as it stands at this call.
    static Documents standard();

    const std::filesystem::path& directory() const { return directory_; }

    // A plain entry name: not empty, not "." or "..", no "/" and no NUL byte.
    // Blanks, case and dots are part of the name like any other character.
    static bool isEntryName(std::string_view name);

    // The names of every entry of the folder (files, folders, links, hidden
    // entries alike), in the order the file system gives them. The folder is
    // created when missing. Nothing when it cannot be listed.
    std::optional<std::vector<std::string>> entries() const;

    // The bytes of the regular file (or link to one) under that name.
    std::optional<std::string> read(std::string_view name, std::string* reason = nullptr) const;

    // Replaces the entry's content with the bytes in one step: they are written
    // to a temporary file in the data folder beside Documents/, flushed to
    // disk and renamed into place. A failure leaves the old file whole and
    // removes the temporary file. An entry that is a folder is not replaced.
    Outcome write(std::string_view name, std::string_view bytes) const;

    // Removes the entry itself: a link is removed, never what it points to; a
    // folder is removed with what it holds, without following links in it.
    Outcome remove(std::string_view name) const;

    // Temporary files of write() begin with this. A writer that is killed may
    // leave one beside Documents/, never inside it; such files are never read,
    // and a later write removes those older than a minute.
    static constexpr std::string_view temporaryPrefix = ".Documents-save-";

private:
    std::filesystem::path directory_;
};

} // namespace platform

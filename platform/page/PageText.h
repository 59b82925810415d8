#pragma once
// The text of a fetched page, decoded once for everything that reads it: the
// page view, the source box and the import's name scan.
#include <string>
#include <string_view>

namespace platform {

struct PageText {
    // UTF-8 holding no NUL: every NUL, and every sequence that does not
    // decode, is U+FFFD.
    std::string text;
    // Empty when the bytes decode as sent; else why they do not.
    std::string problem;
};

// Decodes the page's bytes. A UTF-16 page, little or big endian, is known by
// its byte-order mark (left out of the text), or without one by its zero
// bytes: within the first 256 bytes, every zero byte at odd offsets (little
// endian) or at even ones (big endian), and at least one in two units holding
// one, as the markup's ASCII does in UTF-16. A UTF-32 page, known the same
// way by its mark or its zero bytes, is a problem and gives no text. Any
// other page is UTF-8, kept byte for byte, a UTF-8 byte-order mark included;
// bytes that are not UTF-8 are a problem. Decoding decoded text gives it back
// unchanged.
PageText pageText(std::string_view bytes);

} // namespace platform

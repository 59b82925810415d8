#include "platform/PageMarkup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace platform {
namespace {

// Elements whose content is not page text either: left out whole.
constexpr std::array<std::string_view, 4> kDroppedWithContent = {"script", "style", "template",
                                                                 "noscript"};
// Tags left out alone: each would name a resource to load or a frame to fill.
constexpr std::array<std::string_view, 15> kDroppedTags = {
    "img",    "link",  "meta",   "base",  "iframe",  "frame", "frameset", "embed",
    "object", "param", "source", "track", "picture", "video", "audio"};
// Elements that never hold anything and so never nest.
constexpr std::array<std::string_view, 8> kVoid = {"br",  "hr",    "wbr",    "area",
                                                   "col", "input", "keygen", "basefont"};

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& set)
{
    return std::find(set.begin(), set.end(), name) != set.end();
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == '_';
}

// Where the tag starting at `at` ends (just past its '>'), quotes respected;
// the end of the text when it never does.
std::size_t tagEnd(std::string_view html, std::size_t at)
{
    char quote = 0;
    for (std::size_t i = at + 1; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return html.size();
}

// Just past the closing tag of a raw-text element, found regardless of case;
// the end of the text when there is none.
std::size_t rawTextEnd(std::string_view html, std::size_t from, std::string_view name)
{
    const std::string closing = "</" + std::string(name);
    const auto found = std::search(html.begin() + static_cast<std::ptrdiff_t>(from), html.end(),
                                   closing.begin(), closing.end(), [](char a, char b) {
                                       return std::tolower(static_cast<unsigned char>(a)) == b;
                                   });
    if (found == html.end())
        return html.size();
    return tagEnd(html, static_cast<std::size_t>(found - html.begin()));
}

constexpr std::size_t kMaxWordBytes = 64;

// The parts of a table. Laying out a table lays out its cells several times
// over, so the time for nested tables grows with a power of their depth.
constexpr std::array<std::string_view, 10> kTableParts = {
    "table", "tr", "td", "th", "thead", "tbody", "tfoot", "caption", "colgroup", "col"};

class Sanitiser {
public:
    Sanitiser(std::string_view html, const PageMarkupLimits& limits) : html_(html), limits_(limits)
    {
    }

    ShownPage run()
    {
        std::size_t i = 0;
        while (i < html_.size() && !cut_) {
            const std::size_t lt = html_.find('<', i);
            const std::size_t textEnd = lt == std::string_view::npos ? html_.size() : lt;
            text(html_.substr(i, textEnd - i));
            if (textEnd == html_.size())
                break;
            i = tag(textEnd);
        }
        if (cut_)
            return {std::move(text_) + "\n[…]", true};
        if (elements_ > limits_.maxElements)
            return {std::move(text_), true};
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            markup_ += "</" + *it + ">";
        return {std::move(markup_), false};
    }

private:
    // Copies page text. A long run without white space is one word to the
    // layout engine, whose line breaking takes time growing with the square of
    // a word's length; a zero-width space every so often gives it places to
    // break, and shows as nothing.
    void text(std::string_view piece)
    {
        constexpr std::string_view zeroWidthSpace = "\u200B";
        std::size_t from = 0;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const auto byte = static_cast<unsigned char>(piece[i]);
            if (std::isspace(byte)) {
                wordLength_ = 0;
                continue;
            }
            if (wordLength_ >= kMaxWordBytes && (byte & 0xC0) != 0x80) {
                append(piece.substr(from, i - from));
                append(zeroWidthSpace);
                from = i;
                wordLength_ = 0;
            }
            ++wordLength_;
        }
        append(piece.substr(from));
    }

    void append(std::string_view piece)
    {
        if (piece.size() > limits_.maxTextBytes - text_.size()) {
            // Cut at a character's first byte, so the text stays UTF-8.
            std::size_t keep = limits_.maxTextBytes - text_.size();
            while (keep > 0 && (static_cast<unsigned char>(piece[keep]) & 0xC0) == 0x80)
                --keep;
            piece = piece.substr(0, keep);
            cut_ = true;
        }
        markup_ += piece;
        text_ += piece;
    }

    // Handles the markup starting with '<' at `at`; answers where to go on.
    std::size_t tag(std::size_t at)
    {
        const std::string_view rest = html_.substr(at);
        if (rest.starts_with("<!--")) {
            const std::size_t end = html_.find("-->", at + 4);
            return end == std::string_view::npos ? html_.size() : end + 3;
        }
        const bool closing = rest.starts_with("</");
        const std::size_t nameStart = at + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        if (nameEnd < html_.size() && std::isalpha(static_cast<unsigned char>(html_[nameEnd])))
            while (nameEnd < html_.size() && isNameChar(html_[nameEnd]))
                ++nameEnd;
        if (rest.starts_with("<!") || rest.starts_with("<?"))
            return tagEnd(html_, at);
        if (nameEnd == nameStart) { // a lone '<' is text
            if (text_.size() < limits_.maxTextBytes) {
                markup_ += "&lt;";
                text_ += '<';
            } else {
                cut_ = true;
            }
            return at + 1;
        }
        const std::string name = lowerCase(html_.substr(nameStart, nameEnd - nameStart));
        const std::size_t end = tagEnd(html_, at);
        if (isOneOf(name, kTableParts) && suppressedTable(name, closing))
            return end;
        if (closing) {
            close(name);
            return end;
        }
        if (isOneOf(name, kDroppedWithContent))
            return rawTextEnd(html_, end, name);
        if (isOneOf(name, kDroppedTags))
            return end;
        const bool selfClosed = end >= 2 && html_[end - 2] == '/';
        if (isOneOf(name, kVoid) || selfClosed) {
            ++elements_;
            markup_ += html_.substr(at, end - at);
            return end;
        }
        if (open_.size() >= limits_.maxDepth)
            return end;
        ++elements_;
        open_.push_back(name);
        markup_ += html_.substr(at, end - at);
        return end;
    }

    // Whether a table tag is left out: tables past the table bound are
    // left out whole, with every part of theirs, while their text stays.
    bool suppressedTable(const std::string& name, bool closing)
    {
        if (name == "table") {
            if (!closing && (suppressedTables_ > 0 || openTables() >= limits_.maxTables)) {
                ++suppressedTables_;
                return true;
            }
            if (closing && suppressedTables_ > 0) {
                --suppressedTables_;
                return true;
            }
        }
        return suppressedTables_ > 0;
    }

    std::size_t openTables() const { return std::count(open_.begin(), open_.end(), "table"); }

    // Closes the innermost open element of that name and any opened inside it.
    void close(const std::string& name)
    {
        const auto found = std::find(open_.rbegin(), open_.rend(), name);
        if (found == open_.rend())
            return;
        const std::size_t keep = static_cast<std::size_t>(open_.rend() - found) - 1;
        while (open_.size() > keep) {
            markup_ += "</" + open_.back() + ">";
            open_.pop_back();
        }
    }

    std::string_view html_;
    const PageMarkupLimits& limits_;
    std::string markup_;
    std::string text_;
    std::vector<std::string> open_;
    std::size_t elements_ = 0;
    std::size_t wordLength_ = 0;       // bytes since the last white space or break
    std::size_t suppressedTables_ = 0; // tables open past the bound
    bool cut_ = false;                 // the text bound was reached
};

} // namespace

ShownPage pageToShow(std::string_view html, const PageMarkupLimits& limits)
{
    return Sanitiser(html, limits).run();
}

} // namespace platform

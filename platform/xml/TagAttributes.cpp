#include "platform/xml/TagAttributes.h"

#include "platform/xml/XmlSyntax.h"

#include <algorithm>
#include <unordered_set>

namespace platform {
namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// libxml2's HTML parser, read from its sources (2.9.14): how it reads names,
// tags, comments, processing instructions, document types and the content of
// script and style elements. Only ASCII makes markup there.
class HtmlPass {
public:
    HtmlPass(std::string_view bytes, std::size_t maxAttributes)
        : in_(bytes.substr(0, bytes.find('\0'))), max_(maxAttributes)
    {
        out_.reserve(in_.size());
    }

    std::string run()
    {
        while (at_ < in_.size()) {
            if (!raw_.empty()) {
                rawContent();
            } else if (in_[at_] != '<') {
                const std::size_t next = std::min(in_.find('<', at_), in_.size());
                out_.append(in_.substr(at_, next - at_));
                at_ = next;
            } else if (peek(1) == '/') {
                endTag();
            } else if (peek(1) == '!' && sameIgnoringAsciiCase(in_.substr(at_ + 2, 7), "DOCTYPE")) {
                documentType();
            } else if (in_.substr(at_).starts_with("<!--")) {
                comment();
            } else if (peek(1) == '?') {
                processingInstruction();
            } else if (isAsciiLetter(peek(1))) {
                startTag();
            } else {
                out_ += "&lt;"; // the parser reads a '<' opening nothing as text
                ++at_;
            }
        }
        return std::move(out_);
    }

private:
    // Names of tags and attributes: at most 100 bytes, the rest of a longer
    // run read as what follows.
    static constexpr std::size_t kNameBytes = 100;

    static bool isNameStart(char c) { return isAsciiLetter(c) || c == '_' || c == ':' || c == '.'; }
    static bool isNameByte(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-'; }

    char peek(std::size_t ahead = 0) const
    {
        return at_ + ahead < in_.size() ? in_[at_ + ahead] : '\0';
    }

    void skipBlanks()
    {
        while (at_ < in_.size() && isXmlBlank(in_[at_]))
            ++at_;
    }

    // The name at from, as the parser reads it; empty when none starts there.
    std::string_view nameAt(std::size_t from) const
    {
        if (from >= in_.size() || !isNameStart(in_[from]))
            return {};
        std::size_t end = from;
        while (end < in_.size() && end - from < kNameBytes && isNameByte(in_[end]))
            ++end;
        return in_.substr(from, end - from);
    }

    std::string_view readName()
    {
        const std::string_view name = nameAt(at_);
        at_ += name.size();
        return name;
    }

    void skipPast(char c)
    {
        const std::size_t found = in_.find(c, at_);
        at_ = found == std::string_view::npos ? in_.size() : found + 1;
    }

    // "</name ...>": the parser skips to the first '>'. Without a name, it
    // drops the "</" alone.
    void endTag()
    {
        at_ += 2;
        const std::string_view name = readName();
        if (name.empty())
            return;
        skipBlanks();
        skipPast('>');
        out_ += "</";
        out_ += name;
        out_ += '>';
    }

    void startTag()
    {
        ++at_;
        const std::string_view name = readName();
        std::string attributes;
        std::size_t kept = 0;
        skipBlanks();
        while (at_ < in_.size() && peek() != '>' && !(peek() == '/' && peek(1) == '>')) {
            if (isNameStart(peek())) {
                const std::string_view attribute = readName();
                skipBlanks();
                const bool valued = peek() == '=';
                std::string_view value;
                if (valued) {
                    ++at_;
                    skipBlanks();
                    value = readValue();
                }
                if (kept < max_) {
                    ++kept;
                    attributes += ' ';
                    attributes += attribute;
                    if (valued)
                        appendQuoted(attributes, value);
                }
            } else {
                // Bytes that open no attribute are dropped up to a blank or the end.
                while (at_ < in_.size() && !isXmlBlank(peek()) && peek() != '>' &&
                       !(peek() == '/' && peek(1) == '>'))
                    ++at_;
            }
            skipBlanks();
        }
        out_ += '<';
        out_ += name;
        out_ += attributes;
        if (peek() == '>') {
            ++at_;
            out_ += '>';
            // Their content is text up to their own end tag.
            for (const std::string_view rawElement : {"script", "style"}) {
                if (sameIgnoringAsciiCase(name, rawElement)) {
                    raw_ = rawElement;
                    rawStart_ = true;
                }
            }
        } else if (peek() == '/') {
            at_ += 2;
            out_ += "/>";
        }
    }

    // A quoted value runs to its closing quote; any other to a blank or '>'.
    std::string_view readValue()
    {
        const std::size_t from = at_;
        if (peek() == '"' || peek() == '\'') {
            const std::size_t close = in_.find(in_[at_], at_ + 1);
            const std::size_t end = close == std::string_view::npos ? in_.size() : close;
            at_ = std::min(end + 1, in_.size());
            return in_.substr(from + 1, end - from - 1);
        }
        while (at_ < in_.size() && !isXmlBlank(peek()) && peek() != '>')
            ++at_;
        return in_.substr(from, at_ - from);
    }

    static void appendQuoted(std::string& out, std::string_view value)
    {
        out += "=\"";
        for (const char c : value) {
            if (c == '"')
                out += "&quot;";
            else
                out += c;
        }
        out += '"';
    }

    // Ends at the first "-->" or "--!>" past "<!--".
    void comment()
    {
        for (std::size_t dashes = in_.find("--", at_ + 4); dashes != std::string_view::npos;
             dashes = in_.find("--", dashes + 1)) {
            const std::string_view rest = in_.substr(dashes + 2);
            if (rest.starts_with(">") || rest.starts_with("!>")) {
                at_ = dashes + (rest.starts_with(">") ? 3 : 4);
                return;
            }
        }
        at_ = in_.size();
    }

    // "<?" and a name run to the first '>'; without a name the parser drops
    // the "<?" alone. (A byte past ASCII may open a name or not; taken as
    // opening one, it leaves the instruction out as far as its '>'.)
    void processingInstruction()
    {
        const char first = peek(2);
        at_ += 2;
        if (isAsciiLetter(first) || first == '_' || first == ':' ||
            static_cast<unsigned char>(first) >= 0x80)
            skipPast('>');
    }

    // "<!DOCTYPE", a name, an optional external identifier whose quoted
    // literals may hold a '>', then anything to the first '>'.
    void documentType()
    {
        at_ += 9;
        skipBlanks();
        while (at_ < in_.size() &&
               (isNameByte(peek()) || static_cast<unsigned char>(peek()) >= 0x80))
            ++at_;
        skipBlanks();
        const std::string_view keyword = in_.substr(at_, 6);
        const bool isPublic = sameIgnoringAsciiCase(keyword, "PUBLIC");
        if (isPublic || sameIgnoringAsciiCase(keyword, "SYSTEM")) {
            at_ += 6;
            skipBlanks();
            skipLiteral();
            if (isPublic) {
                skipBlanks();
                if (peek() == '"' || peek() == '\'')
                    skipLiteral();
            }
        }
        skipPast('>');
    }

    void skipLiteral()
    {
        if (peek() != '"' && peek() != '\'')
            return;
        const char quote = peek();
        ++at_;
        skipPast(quote);
    }

    // The content of a script or style element: the parser reads it as text
    // up to "</" and the element's name. Left out; only its end tag is
    // written. An element that one of a few tags closes, when the content
    // begins with it, has none.
    void rawContent()
    {
        if (rawStart_) {
            rawStart_ = false;
            if (peek() == '<' && closesRaw(lowerName(nonInvasiveName()))) {
                raw_ = {};
                return;
            }
        }
        for (std::size_t close = in_.find("</", at_); close != std::string_view::npos;
             close = in_.find("</", close + 2)) {
            if (sameIgnoringAsciiCase(nameAt(close + 2), raw_)) {
                at_ = close;
                raw_ = {};
                endTag();
                return;
            }
        }
        at_ = in_.size();
        raw_ = {};
    }

    // The name the parser looks ahead at after '<' to close open elements: a
    // '.' ends it.
    std::string_view nonInvasiveName() const
    {
        const char first = peek(1);
        if (!isAsciiLetter(first) && first != '_' && first != ':')
            return {};
        std::size_t end = at_ + 1;
        while (end < in_.size() && end - at_ - 1 < kNameBytes && isNameByte(in_[end]) &&
               in_[end] != '.')
            ++end;
        return in_.substr(at_ + 1, end - at_ - 1);
    }

    static std::string lowerName(std::string_view name)
    {
        std::string lowered(name);
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
        return lowered;
    }

    bool closesRaw(const std::string& name) const
    {
        if (raw_ == "script")
            return name == "noscript";
        return name == "body" || name == "frameset";
    }

    std::string_view in_;
    std::size_t max_;
    std::size_t at_ = 0;
    std::string out_;
    std::string_view raw_; // "script" or "style" while in their content
    bool rawStart_ = false;
};

// libxml2's XML parser on well-formed bytes: a tag is '<', a name, then
// blank-separated attributes, each a name, '=' and a quoted value holding no
// '<'; comments, CDATA sections, processing instructions and the document
// type end at the first mark that ends them. Anything else is refused, so the
// parser never reads a tag this pass did not count. A name given twice in a
// tag is refused, and each attribute past the bound is judged here as the
// parser would judge it, so that leaving one out never takes bytes the parser
// would refuse.
class XmlPass {
public:
    XmlPass(std::string_view bytes, std::size_t maxAttributes) : in_(bytes), max_(maxAttributes)
    {
        out_.reserve(in_.size());
    }

    std::optional<std::string> run()
    {
        if (in_.find('\0') != std::string_view::npos)
            return std::nullopt;
        while (at_ < in_.size()) {
            const std::size_t open = std::min(in_.find('<', at_), in_.size());
            out_.append(in_.substr(at_, open - at_));
            at_ = open;
            if (at_ < in_.size() && !markup())
                return std::nullopt;
        }
        return std::move(out_);
    }

private:
    static bool endsName(char c)
    {
        return isXmlBlank(c) || c == '/' || c == '>' || c == '<' || c == '=' || c == '"' ||
               c == '\'';
    }

    bool markup()
    {
        const std::string_view rest = in_.substr(at_);
        if (rest.starts_with("<!--")) {
            const std::size_t dashes = in_.find("--", at_ + 4);
            return dashes != std::string_view::npos && in_.substr(dashes).starts_with("-->") &&
                   copyTo(dashes + 3);
        }
        if (rest.starts_with("<![CDATA["))
            return copyTo(endOf("]]>", at_ + 9));
        if (rest.starts_with("<!DOCTYPE"))
            return documentType();
        if (rest.starts_with("<!"))
            return false;
        if (rest.starts_with("<?"))
            return copyTo(endOf("?>", at_ + 2));
        if (rest.starts_with("</")) {
            const std::size_t close = in_.find_first_of("<>", at_ + 2);
            return close != std::string_view::npos && in_[close] == '>' && copyTo(close + 1);
        }
        return startTag();
    }

    // Just past the first mark at or after from; npos when there is none.
    std::size_t endOf(std::string_view mark, std::size_t from) const
    {
        const std::size_t found = in_.find(mark, from);
        return found == std::string_view::npos ? found : found + mark.size();
    }

    bool copyTo(std::size_t end)
    {
        if (end == std::string_view::npos || end > in_.size())
            return false;
        out_.append(in_.substr(at_, end - at_));
        at_ = end;
        return true;
    }

    // Quoted literals may hold '>'; a '[' outside them opens declarations.
    bool documentType()
    {
        char quote = 0;
        for (std::size_t i = at_ + 9; i < in_.size(); ++i) {
            const char c = in_[i];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[' || c == '<') {
                return false;
            } else if (c == '>') {
                return copyTo(i + 1);
            }
        }
        return false;
    }

    std::size_t skipBlanks()
    {
        const std::size_t from = at_;
        while (at_ < in_.size() && isXmlBlank(in_[at_]))
            ++at_;
        return at_ - from;
    }

    std::string_view readName()
    {
        const std::size_t from = at_;
        while (at_ < in_.size() && !endsName(in_[at_]))
            ++at_;
        return in_.substr(from, at_ - from);
    }

    bool startTag()
    {
        ++at_;
        const std::string_view name = readName();
        if (name.empty())
            return false;
        out_ += '<';
        out_ += name;
        std::size_t count = 0;
        // The tag's attribute names, so that a repeated one is found at once
        // however many come before it.
        std::unordered_set<std::string_view> names;
        while (true) {
            const std::size_t blanks = skipBlanks();
            if (at_ >= in_.size())
                return false;
            if (in_[at_] == '>')
                return copyTo(at_ + 1);
            if (in_[at_] == '/')
                return in_.substr(at_).starts_with("/>") && copyTo(at_ + 2);
            if (blanks == 0)
                return false;
            const std::size_t from = at_;
            const std::string_view attribute = readName();
            if (attribute.empty())
                return false;
            skipBlanks();
            if (at_ >= in_.size() || in_[at_] != '=')
                return false;
            ++at_;
            skipBlanks();
            if (at_ >= in_.size() || (in_[at_] != '"' && in_[at_] != '\''))
                return false;
            const std::size_t open = at_;
            const std::size_t close = in_.find_first_of(std::string{in_[at_], '<'}, at_ + 1);
            if (close == std::string_view::npos || in_[close] == '<')
                return false;
            at_ = close + 1;
            if (!names.insert(attribute).second)
                return false; // a name given twice
            if (count++ < max_) {
                out_ += ' ';
                out_.append(in_.substr(from, at_ - from));
            } else if (!isLeftOutAsXml(attribute, in_.substr(open + 1, close - open - 1))) {
                return false;
            }
        }
    }

    // An attribute the parser never reads is judged here as it would judge
    // it. A namespace declaration is refused: it would bind a prefix of the
    // elements the parser reads.
    static bool isLeftOutAsXml(std::string_view name, std::string_view value)
    {
        return name != "xmlns" && !name.starts_with("xmlns:") && isXmlQualifiedName(name) &&
               isXmlAttributeValue(value);
    }

    std::string_view in_;
    std::size_t max_;
    std::size_t at_ = 0;
    std::string out_;
};

} // namespace

std::optional<std::string> boundAttributes(std::string_view bytes, MarkupSyntax syntax,
                                           std::size_t maxAttributes)
{
    if (syntax == MarkupSyntax::Html)
        return HtmlPass(bytes, maxAttributes).run();
    return XmlPass(bytes, maxAttributes).run();
}

} // namespace platform

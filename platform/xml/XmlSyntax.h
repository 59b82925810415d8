#pragma once
// The pieces of XML 1.0 (fifth edition) that we read ourselves before libxml2
// reads the bytes: the names and values of the attributes the bound on tag
// attributes leaves out, which libxml2 never sees, so that a fault in one
// would otherwise go unseen, and the encoding an XML declaration names. Each
// is judged as libxml2 (2.9) judges it, or more strictly.
#include <optional>
#include <string_view>

namespace platform {

// The blanks of XML, and of libxml2's HTML parser: space, tab, line feed and
// carriage return.
inline bool isXmlBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether the two are the same but for the case of ASCII letters.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the UTF-8 bytes are a name of XML namespaces: an XML name holding
// no colon, or two such joined by one ("xml:lang"), in all no longer than the
// 50,000 bytes libxml2 reads of a name. (libxml2 takes some names of other
// colons with a warning and refuses others, "a:b:9" among them; a list needs
// none.)
bool isXmlQualifiedName(std::string_view name);

// Whether the UTF-8 bytes between an attribute value's quotes read as XML:
// characters XML allows (no control character but tab, line feed and
// carriage return, no U+FFFE or U+FFFF), no '<', and each '&' a reference
// ended by ';': a character reference to a character XML allows ("&#233;",
// "&#xE9;"), or one of the five predefined entities. Any other entity is
// refused: a list declares none, and without a document type libxml2 refuses
// it too.
bool isXmlAttributeValue(std::string_view value);

// The encoding that the XML declaration opening the bytes names, as the
// parser reads it; nothing when no declaration opens them or it names none.
// The declaration's pseudo-attributes are taken in any order: one out of its
// place makes the bytes no XML to the parser anyway.
std::optional<std::string_view> declaredEncoding(std::string_view bytes);

} // namespace platform

#pragma once
// A bound on the attributes of every tag, applied to markup before libxml2
// reads it. libxml2 checks each attribute of a tag against all the earlier
// ones, so a tag of N attributes costs N² steps: a page of one tag with a
// million attributes would take minutes to read. The pass reads the bytes as
// the parser will, tag by tag, in one walk; what it writes holds no tag with
// more attributes than the bound, as libxml2 reads it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class MarkupSyntax {
    // libxml2's HTML parser, which takes any bytes and reads a NUL as the end.
    // What is written is markup of the same elements and text, each tag
    // written anew with its first attributes only: comments, processing
    // instructions and document types are left out, the content of a script
    // or style element too, and a '<' of the text is written "&lt;". So
    // nothing of the page's own markup is copied through, and the parser
    // reads what is written the way this pass read the page.
    Html,
    // libxml2's XML parser, reading UTF-8. The bytes are kept as they are but
    // for the attributes past the bound, so the parser reads every comment,
    // processing instruction and reference where it stands, and judges them;
    // bytes that are not well-formed in a way the pass can tell (a NUL, a '<'
    // inside a value, a tag or comment not closed, an attribute name given
    // twice in a tag) are refused, and so is a document type with
    // declarations of its own, which could give a tag default attributes.
    // The attributes left out are judged here as the parser would judge them
    // (XmlSyntax.h): one it would refuse refuses the bytes, and so does a
    // namespace declaration, which would bind a prefix of the elements read.
    Xml,
};

// The bytes with each tag's attributes past maxAttributes left out, or
// nothing when XML bytes are refused. Linear in the size of the bytes.
std::optional<std::string> boundAttributes(std::string_view bytes, MarkupSyntax syntax,
                                           std::size_t maxAttributes);

} // namespace platform

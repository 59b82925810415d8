#pragma once
// Helpers for the page view tests: pages made of one piece repeated, and a
// count of the images a shown page holds.
#include <QTextBlock>
#include <QTextDocument>

#include <string>

namespace pagetest {

inline std::string repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Every image format the document made of the page holds.
inline int imagesIn(const QTextDocument& document)
{
    int images = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                ++images;
    return images;
}

} // namespace pagetest

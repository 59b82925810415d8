#pragma once
// Helpers for the page view tests: pages made of one piece repeated, a count
// of the images a shown page holds, and what bounds its layout work.
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cstddef>
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

// What bounds the layout work of a document: its blocks and the lines within
// them, the characters (code points) of its longest block, the changes of
// character format within blocks, and its characters.
struct Shape {
    int lines = 0;
    std::size_t longestBlock = 0;
    std::size_t formatChanges = 0;
    qsizetype characters = 0;
};

inline Shape shapeOf(const QTextDocument& document)
{
    Shape shape;
    shape.characters = document.characterCount();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        shape.lines += 1 + static_cast<int>(block.text().count(QChar::LineSeparator));
        shape.longestBlock =
            std::max(shape.longestBlock, static_cast<std::size_t>(block.text().toUcs4().size()));
        int format = -1;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormatIndex() != format && format >= 0)
                ++shape.formatChanges;
            format = it.fragment().charFormatIndex();
        }
    }
    return shape;
}

} // namespace pagetest

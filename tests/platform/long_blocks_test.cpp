// Long blocks split in the document itself, wherever its markup or its
// separators made them: at a line break, else after a space, else at the
// bound, never inside a character; what is split keeps its formats.
#include "platform/LongBlocks.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> blocksOf(const QTextDocument& document)
{
    std::vector<std::string> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.push_back(block.text().toStdString());
    return blocks;
}

} // namespace

TEST(LongBlocks, ABlockPastTheBoundIsSplitAtALineBreakElseASpaceElseTheBound)
{
    struct Case {
        std::string text;
        std::vector<std::string> blocks;
    };
    const std::vector<Case> cases{{"abcde", {"abcde"}},
                                  {"abc def ghi", {"abc ", "def ", "ghi"}},
                                  // The line separator goes before a later space, and is gone.
                                  {"ab\u2028cd ef gh", {"ab", "cd ", "ef gh"}},
                                  {"abcdefgh", {"abcde", "fgh"}},
                                  // Characters, not UTF-16 units, and none cut in two.
                                  {"ééééééé", {"ééééé", "éé"}},
                                  {"😀😀😀😀😀😀😀", {"😀😀😀😀😀", "😀😀"}},
                                  // A no-break space holds its words together.
                                  {"ab\u00A0cdefg", {"ab\u00A0cd", "efg"}},
                                  // A tab breaks as a space does.
                                  {"ab\tcdefg", {"ab\t", "cdefg"}}};
    for (const Case& c : cases) {
        QTextDocument document;
        document.setPlainText(QString::fromStdString(c.text));
        platform::splitLongBlocks(document, 5);
        EXPECT_EQ(blocksOf(document), c.blocks) << c.text;
    }
}

TEST(LongBlocks, BlocksSplitKeepTheirFormatsAndAListItemStaysOne)
{
    QTextDocument document;
    document.setHtml("<h1>aaa bbb</h1><p><b>ccc ddd</b></p><ul><li>eee fff</li></ul>");
    EXPECT_EQ(platform::splitLongBlocks(document, 5), 3u);
    ASSERT_EQ(blocksOf(document),
              (std::vector<std::string>{"aaa ", "bbb", "ccc ", "ddd", "eee ", "fff"}));
    const QTextBlock heading = document.findBlockByNumber(1);
    EXPECT_EQ(heading.blockFormat().headingLevel(), 1);
    EXPECT_GT(document.findBlockByNumber(3).begin().fragment().charFormat().fontWeight(),
              QFont::Normal);
    const QTextBlock item = document.findBlockByNumber(4);
    const QTextBlock rest = document.findBlockByNumber(5);
    ASSERT_NE(item.textList(), nullptr);
    EXPECT_EQ(item.textList()->count(), 1); // one bullet for the item
    EXPECT_EQ(rest.textList(), nullptr);
    EXPECT_EQ(rest.blockFormat().indent(), item.textList()->format().indent());
}

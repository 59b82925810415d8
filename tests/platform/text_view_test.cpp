// The text box given whole pages: it shows what lays out quickly and keeps
// the text whole for whoever reads it.
#include "platform/TextView.h"

#include "support/SteppingClock.h"

#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using platform::ShownTextLimits;
using platform::textToShow;

namespace {
std::string times(const std::string& piece, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}
} // namespace

TEST(TextToShow, ShortTextsShowWholeLongOnesTheirBeginningWithBreaksAndACutLine)
{
    const ShownTextLimits limits{10, 4};
    EXPECT_EQ(textToShow("ab cd\nefgh", limits), "ab cd\nefgh");
    // A run longer than the bound gets a zero-width space, never inside a
    // character.
    EXPECT_EQ(textToShow("abcdéf", limits), "abcd\u200Béf");
    EXPECT_EQ(textToShow("ab cd ef gh ij", limits),
              "ab cd ef g\n[… texto cortado: mostrados 10 de 14 bytes]");
    EXPECT_EQ(textToShow("ab cd ef é", limits),
              "ab cd ef \n[… texto cortado: mostrados 9 de 11 bytes]");
}

// Marks of every kind, non-spacing, spacing and enclosing, count in one run
// on a letter, however invisible characters that start no letter split it:
// past 30 they are left out, with the invisible characters among them, and
// a line says so.
TEST(TextToShow, RunsOfCombiningMarksAreCutTo30AndSaySo)
{
    const std::string said = "\n[… marcas combinantes além de 30 omitidas]";
    const std::string mixed = "\u0301\u0903\u20DD"; // Mn, Mc, Me
    const std::string acutes = times("\u0301", 15);
    std::vector<std::pair<std::string, std::string>> texts{
        {"a" + times(mixed, 10) + " b", "a" + times(mixed, 10) + " b"},
        {"a" + times(mixed, 11) + " b", "a" + times(mixed, 10) + " b" + said},
        {times("a" + times("\u0323", 30), 3), times("a" + times("\u0323", 30), 3)},
        {"\u064B" + times("\u064B", 40), times("\u064B", 30) + said},
        {"\u0628" + times(times("\u064B", 30) + "\u200C", 3),
         "\u0628" + times("\u064B", 30) + "\u200C" + said},
        // A visible sign, even a format character, is a letter of its own.
        {"a" + acutes + acutes + "\u0600" + acutes, "a" + acutes + acutes + "\u0600" + acutes}};
    const auto splitBy = [&](const std::string& invisible) {
        return std::pair{"a" + acutes + invisible + acutes + invisible + "\u0301" + invisible + "b",
                         "a" + acutes + invisible + acutes + invisible + "b" + said};
    };
    for (const char* invisible : {"\u00AD", "\u200B", "\u200C", "\u200D", "\u200E", "\u200F",
                                  "\u202B", "\u2060", "\u2066", "\uFEFF", "\U000E0041"})
        texts.push_back(splitBy(invisible));
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(textToShow(text), shown) << text;
    // Cut both ways, the lines say each.
    EXPECT_EQ(textToShow("a" + times("\u0301", 40) + "bc", ShownTextLimits{64, 1024}),
              "a" + times("\u0301", 30) + said + "\n[… texto cortado: mostrados 63 de 83 bytes]");
}

// Each run of one writing direction and one script lays out as an item of
// its own: past the bound of changes, the text is cut before the change and
// lines say so. Neutral characters count for nothing, except between two
// numbers laid out apart from the text around them, where they are a run of
// their own unless they join the numbers; a digit is such a number after
// right-to-left text, not after left-to-right text; an Arabic digit always
// is; each embedding counts, and each tab; so does a letter of another
// script.
TEST(TextToShow, TextIsCutPastTheBoundOfDirectionChangesAndSaysSo)
{
    const auto cut = [](const std::string& shown, const std::string& text) {
        return shown + "\n[… texto cortado: mudanças de direção ou de escrita demais]" +
               "\n[… texto cortado: mostrados " + std::to_string(shown.size()) + " de " +
               std::to_string(text.size()) + " bytes]";
    };
    const std::vector<std::pair<std::string, std::string>> texts{
        {"Dó Ré G7 A7M(9) 2024", ""},        // digits after Latin letters: none
        {"אב, ג Am7 (א)", ""},               // two changes, the bound
        {"אב Am א Dm", "אב Am א "},          // three: cut before the third
        {"אב 12 Am א", "אב 12 Am "},         // digits after Hebrew
        {"aعaع", "aعa"},                     // Arabic letters
        {"a\u0661a\u0661", "a\u0661a"},      // Arabic digits
        {"a\u202Bb\u202C", "a\u202Bb"},      // an embedding and its end
        {"a\u202B\u202Bb", "a\u202B\u202B"}, // two embeddings in a row
        {"א 1,5%2-3 a", ""},                 // separators and signs within numbers
        {"א 1,,5", "א 1,,"},                 // two separators join no numbers
        {"א\u0661,1", "א\u0661,"},           // nor one between numbers of two kinds
        {"א 1 2", "א 1 "},                   // a space between digits after Hebrew
        {"א 1\t2", "א 1\t"},                 // a tab there
        {"a\u0661 \u0662", "a\u0661 "},      // a space between Arabic digits
        {"a\tb\tc", "a\tb"},                 // tabs anywhere
        {"aαaα", "aαa"}};                    // Greek letters after Latin ones
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(textToShow(text, ShownTextLimits{1024, 1024, 2}),
                  shown.empty() ? text : cut(shown, text))
            << text;
    // 10,000 changes by default.
    const std::string turning = times("a א ", 5000) + "a";
    EXPECT_EQ(textToShow(turning), turning);
    EXPECT_EQ(textToShow(turning + " א"), cut(turning + " ", turning + " א"));
}

// Each line lays out as a block of its own, and the layout's time grows
// with them: past the bound, the text is cut before the line one too many
// and lines say so. A carriage return, a newline or the two together end a
// line, and so does a paragraph separator; a line separator starts a line
// within its block.
TEST(TextToShow, TextIsCutPastTheBoundOfLinesAndSaysSo)
{
    ShownTextLimits limits;
    limits.maxBlocks = 2;
    const auto cut = [](const std::string& shown, const std::string& text) {
        return shown + "\n[… texto cortado: linhas demais]" + "\n[… texto cortado: mostrados " +
               std::to_string(shown.size()) + " de " + std::to_string(text.size()) + " bytes]";
    };
    const std::vector<std::pair<std::string, std::string>> texts{
        {"a\nb\nc", ""},
        {"a\nb\nc\nd", "a\nb\nc"},
        {"a\r\nb\r\nc", ""},
        {"a\rb\rc\rd", "a\rb\rc"},
        {"a\u2029b\nc\u2029d", "a\u2029b\nc"},
        {"a\u2028b\u2028c\u2028d", "a\u2028b\u2028c"}};
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(textToShow(text, limits), shown.empty() ? text : cut(shown, text)) << text;
    // 10,000 by default.
    const std::string lines = times("a\n", 10000);
    EXPECT_EQ(textToShow(lines), lines);
    EXPECT_EQ(textToShow(lines + "b\nc"), cut(lines + "b", lines + "b\nc"));
}

TEST(TextView, ShownCutItKeepsTheWholeTextAndTakesNoEdits)
{
    platform::TextView box;
    box.resize(190, 52);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const std::string page(5 * 1024 * 1024, 'a');
    box.setText(page);
    EXPECT_FALSE(box.grab().isNull());
    EXPECT_EQ(box.text(), page);
    EXPECT_TRUE(box.toPlainText().endsWith("mostrados 65536 de 5242880 bytes]"));
    EXPECT_TRUE(box.isReadOnly());

    // A short text shows whole and can be edited again; the edit is the text.
    box.setText("<b>Am</b>");
    EXPECT_FALSE(box.isReadOnly());
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, "<b>G7</b>");
    EXPECT_EQ(box.text(), "<b>Am</b><b>G7</b>");

    // Past the budget of the time spent showing it (the clock reads a
    // millisecond later at each reading), the text is cut after what the box
    // laid out first, and says so; the box keeps it whole.
    box.setLayoutBudget(
        {std::chrono::milliseconds(1), support::steppingClock(std::chrono::milliseconds(1))});
    const std::string lines = times("Am G7\n", 3000);
    box.setText(lines);
    const QString cut = "\n[… texto cortado: lento demais para exibir]";
    const QString shown = box.toPlainText();
    ASSERT_TRUE(shown.endsWith(cut));
    EXPECT_TRUE(QString::fromStdString(lines).startsWith(shown.chopped(cut.size()) + "\n"));
    EXPECT_EQ(box.text(), lines);
    EXPECT_TRUE(box.isReadOnly());

    // A line split to lay out quickly is the text shown otherwise than as it
    // is: likewise kept whole, and no edits.
    box.setLayoutBudget({});
    const std::string line = times("Am G7 ", 400);
    box.setText(line);
    EXPECT_EQ(box.document()->blockCount(), 3);
    EXPECT_EQ(box.text(), line);
    EXPECT_TRUE(box.isReadOnly());

    // A box read-only by design stays so.
    platform::TextView fixed;
    fixed.setReadOnly(true);
    fixed.setText(page);
    fixed.setText("x");
    EXPECT_TRUE(fixed.isReadOnly());
}

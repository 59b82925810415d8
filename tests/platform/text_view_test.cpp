// The text box given whole pages: it shows what lays out quickly and keeps
// the text whole for whoever reads it.
#include "platform/TextView.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using platform::ShownTextLimits;
using platform::textToShow;

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

// Marks of every kind, non-spacing, spacing and enclosing, count in one run:
// past 30 in a row they are left out, and a line says so.
TEST(TextToShow, RunsOfCombiningMarksAreCutTo30AndSaySo)
{
    const auto times = [](const std::string& piece, int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += piece;
        return out;
    };
    const std::string said = "\n[… marcas combinantes além de 30 omitidas]";
    const std::string mixed = "\u0301\u0903\u20DD"; // Mn, Mc, Me
    const std::vector<std::pair<std::string, std::string>> texts{
        {"a" + times(mixed, 10) + " b", "a" + times(mixed, 10) + " b"},
        {"a" + times(mixed, 11) + " b", "a" + times(mixed, 10) + " b" + said},
        {times("a" + times("\u0323", 30), 3), times("a" + times("\u0323", 30), 3)},
        {"\u064B" + times("\u064B", 40), times("\u064B", 30) + said}};
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(textToShow(text), shown) << text;
    // Cut both ways, the lines say each.
    EXPECT_EQ(textToShow("a" + times("\u0301", 40) + "bc", ShownTextLimits{64, 1024}),
              "a" + times("\u0301", 30) + said + "\n[… texto cortado: mostrados 63 de 83 bytes]");
}

// Each change of writing direction lays out as an item of its own: past the
// bound, the text is cut before the change and lines say so. Neutral
// characters count for nothing; a digit is a run of its own after right-to-
// left text, not after left-to-right text; an Arabic digit always is; each
// embedding counts.
TEST(TextToShow, TextIsCutPastTheBoundOfDirectionChangesAndSaysSo)
{
    const ShownTextLimits limits{1024, 1024, 2};
    const auto cut = [](const std::string& shown, const std::string& text) {
        return shown + "\n[… texto cortado: mudanças de direção ou de escrita demais]" +
               "\n[… texto cortado: mostrados " + std::to_string(shown.size()) + " de " +
               std::to_string(text.size()) + " bytes]";
    };
    const std::vector<std::pair<std::string, std::string>> texts{
        {"Dó Ré G7 A7M(9) 2024", ""},    // digits after Latin letters: none
        {"אב, ג Am7 (א)", ""},           // two changes, the bound
        {"אב Am א Dm", "אב Am א "},      // three: cut before the third
        {"אב 12 Am א", "אב 12 Am "},     // digits after Hebrew
        {"a\u0661a\u0661", "a\u0661a"},  // Arabic digits
        {"a\u202Bb\u202C", "a\u202Bb"}}; // an embedding and its end
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(textToShow(text, limits), shown.empty() ? text : cut(shown, text)) << text;
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

    // A box read-only by design stays so.
    platform::TextView fixed;
    fixed.setReadOnly(true);
    fixed.setText(page);
    fixed.setText("x");
    EXPECT_TRUE(fixed.isReadOnly());
}

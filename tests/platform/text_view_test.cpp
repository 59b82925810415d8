// The text box given whole pages: it shows what lays out quickly and keeps
// the text whole for whoever reads it.
#include "platform/TextView.h"

#include <QTest>
#include <gtest/gtest.h>

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

#include "platform/TextView.h"

#include "platform/page/BreakPoints.h"
#include "platform/page/CombiningMarks.h"
#include "platform/page/DirectionChanges.h"
#include "platform/page/TextBlocks.h"

namespace platform {

std::string textToShow(std::string_view text, const ShownTextLimits& limits)
{
    std::size_t keep = std::min(text.size(), limits.maxBytes);
    while (keep > 0 && keep < text.size() &&
           (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
        --keep;
    DirectionChanges directions(limits.maxDirectionChanges);
    keep = directions.fit(text.substr(0, keep));
    TextBlocks blocks(limits.maxBlocks);
    keep = blocks.fit(text.substr(0, keep), true);
    CombiningMarks marks;
    std::string marked;
    marks.append(marked, text.substr(0, keep));
    BreakPoints breaks(limits.maxWordBytes);
    std::string shown;
    breaks.append(shown, marked);
    if (marks.cut())
        shown += "\n" + std::string(kMarksCutLine);
    if (directions.exceeded())
        shown += "\n" + std::string(kDirectionsCutLine);
    if (blocks.exceeded())
        shown += "\n" + std::string(kBlocksCutLine);
    if (keep < text.size())
        shown += "\n[… texto cortado: mostrados " + std::to_string(keep) + " de " +
                 std::to_string(text.size()) + " bytes]";
    return shown;
}

TextView::TextView(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    // Tab moves the focus on, as in the other controls, instead of typing a
    // tab character: a page's source needs none typed.
    setTabChangesFocus(true);
}

void TextView::setText(std::string text, const std::string& shown)
{
    lastShown_ = showWithinBudget(*this, QString::fromStdString(shown), BoxContent::Text, budget_,
                                  {kLayoutCutLine});
    if (!lastShown_.cut && !lastShown_.split && shown == text) {
        whole_.reset();
        if (madeReadOnly_)
            setReadOnly(false);
        madeReadOnly_ = false;
        return;
    }
    whole_ = std::move(text);
    if (!isReadOnly()) {
        setReadOnly(true);
        madeReadOnly_ = true;
    }
}

std::string TextView::text() const
{
    return whole_ ? *whole_ : toPlainText().toStdString();
}

} // namespace platform

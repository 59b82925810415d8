#pragma once
// A box of plain text that may be given a whole web page. Qt lays out plain
// text in time growing with the square of a line's unbroken length, so a box
// shown a page as it came could hold the screen for minutes. This one keeps
// the text it is given whole, for whoever reads it, and shows what it can lay
// out quickly: the text itself when it is short and has no long unbroken run
// nor long line, nor many lines or changes of writing direction, else its
// beginning up to where the lines or the changes pass their bound, with
// places to break long runs, runs of combining marks cut short, long lines
// split, cut where showing it takes too long, and last lines saying what was
// cut. Tab moves the keyboard focus on, as in other controls.
#include "platform/LayoutBudget.h"
#include "platform/page/DirectionChanges.h"
#include "platform/page/TextBlocks.h"

#include <QTextEdit>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

struct ShownTextLimits {
    std::size_t maxBytes = kMaxShownBytes; // shown at most
    std::size_t maxWordBytes = 1024;       // an unbroken run longer than this gets breaks
    std::size_t maxDirectionChanges = kMaxDirectionChanges; // shown at most
    std::size_t maxBlocks = kMaxBlocks;                     // lines shown past the first
};

// What a box shows of a text: the text when it fits the limits, else its
// first maxBytes (never cutting a character), cut before the change of
// direction past maxDirectionChanges (as DirectionChanges counts them) and
// before the line past maxBlocks (as TextBlocks counts newlines), with
// a zero-width space in every run longer than maxWordBytes, runs of combining
// marks cut as CombiningMarks does, and a line saying so for each cut (for
// the bytes, how much is shown). Any thread.
std::string textToShow(std::string_view text, const ShownTextLimits& limits = {});

class TextView : public QTextEdit {
    Q_OBJECT
public:
    explicit TextView(QWidget* parent = nullptr);

    // Keeps the text and shows it as textToShow() says, in a document of its
    // own that starts in the box's font, its long lines split (see
    // splitLongBlocks), cut past the layout budget with a line saying so.
    // While it shows less than the whole text, or the text otherwise than as
    // it is, the box takes no edits. Main thread.
    void setText(std::string text)
    {
        const std::string shown = textToShow(text);
        setText(std::move(text), shown);
    }
    // Likewise, with what textToShow() gave for the text, made on another
    // thread.
    void setText(std::string text, const std::string& shown);
    // The budget of layout time for the texts set from now on.
    void setLayoutBudget(LayoutBudget budget) { budget_ = std::move(budget); }
    const LayoutBudget& layoutBudget() const { return budget_; }
    // What showing the last content did, and the time it took by the
    // budget's clock.
    const ShownContent& lastShown() const { return lastShown_; }
    // The whole text: as given, or, when it was shown whole, as the user
    // edited it since.
    std::string text() const;

private:
    LayoutBudget budget_;
    ShownContent lastShown_;
    std::optional<std::string> whole_; // the text, while the box shows a cut copy
    bool madeReadOnly_ = false;        // read-only only while cut
};

} // namespace platform

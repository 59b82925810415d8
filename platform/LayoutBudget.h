#pragma once
// A bound on the time a text box spends on the main thread showing what it is
// given. The bounds on a page's content (bytes, blocks, characters in a
// block, changes of format, direction or script, runs of marks) hold every
// slow case found so far; this one holds for those nobody has measured yet.
// The work timed is all of it: reading the content into a document, splitting
// its long blocks, the box taking the document (which lays out what it shows
// first), and the layout of the rest, which the box's own layout does block by
// block at once rather than in pieces later. Once the time passes the budget,
// the document ends with the block that passed it, and with lines saying so.
// The clock is handed in: by default it stands still, so that only a box
// given the real clock (realTime) cuts for time, and no test times anything.
#include <QString>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string_view>

class QTextEdit;

namespace platform {

// The line that ends a text cut for taking too long to lay out.
inline constexpr std::string_view kLayoutCutLine = "[… texto cortado: lento demais para exibir]";

struct LayoutBudget {
    using Clock = std::function<std::chrono::nanoseconds()>;
    // The page view and the source box are shown in passes of their own,
    // each within this and the blocks the box lays out first: a key press
    // waits a tenth of a second at most, and the page is shown well within a
    // second of the click.
    std::chrono::nanoseconds limit = std::chrono::milliseconds(80);
    Clock clock = [] { return std::chrono::nanoseconds{0}; };

    // The default limit on the steady clock: what the program's boxes use.
    static LayoutBudget realTime();
};

enum class BoxContent { Markup, Text };

// What showing a content did to it.
struct ShownContent {
    bool cut = false;                  // blocks were left out past the budget
    bool split = false;                // long blocks were split (see splitLongBlocks)
    std::chrono::nanoseconds spent{0}; // by the budget's clock, all the work timed
};

// Gives the box a new document of its own, in the box's font and wrapping,
// holding the content (markup or plain text), its long blocks split, and laid
// out within the budget: when cut, its last blocks are the cut lines, in the
// document's default format. The box's previous document is deleted when it
// belonged to the box. Whatever format the box's cursor held, the content
// starts in the document's default one. Main thread.
ShownContent showWithinBudget(QTextEdit& box, const QString& content, BoxContent kind,
                              const LayoutBudget& budget,
                              std::initializer_list<std::string_view> cutLines);

} // namespace platform

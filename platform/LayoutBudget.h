#pragma once
// A bound on the time a text box spends laying out what it is shown. The
// bounds on a page's content (bytes, blocks, characters in a block, changes
// of format, direction or script, runs of marks) hold every slow case found
// so far; this one holds for those nobody has measured yet. The blocks of the
// document are laid out one by one, as the box will lay them out, and each is
// timed; once the time spent passes the budget, the document ends with the
// block that passed it, and with lines saying so. The clock is handed in, so
// a test can cut without timing anything.
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
    // The layout of 64 KiB of the slowest characters and formats known takes
    // about 30 ms. The box lays the document out once more after it is
    // shown, in pieces between other events, in one to three times the time
    // measured here; the page view and the source box are shown in one
    // click, so twice this, with the page's reading, is what a key press may
    // wait: within a quarter of a second.
    std::chrono::nanoseconds limit = std::chrono::milliseconds(80);
    Clock clock = [] { return std::chrono::steady_clock::now().time_since_epoch(); };
};

enum class BoxContent { Markup, Text };

// Gives the box a new document of its own, in the box's font and wrapping,
// holding the content (markup or plain text) laid out within the budget:
// when cut, its last blocks are the cut lines, in the document's default
// format. The box's previous document is deleted when it belonged to the
// box. Whatever format the box's cursor held, the content starts in the
// document's default one. True when the content was cut. Main thread.
bool showWithinBudget(QTextEdit& box, const QString& content, BoxContent kind,
                      const LayoutBudget& budget, std::initializer_list<std::string_view> cutLines);

} // namespace platform

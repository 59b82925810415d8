#pragma once
// Changes of writing direction and of script counted for the text layout.
// Qt lays out each run of one direction and one script as an item of its
// own, shaped and placed apart, so text that changes direction or script at
// every letter takes seconds for a few hundred kilobytes. Text is shown up
// to a bound on the changes that no page written to be read comes near.
#include <cstddef>
#include <string_view>

namespace platform {

// Changes shown at most, and the line that ends a text cut there.
inline constexpr std::size_t kMaxDirectionChanges = 10000;
inline constexpr std::string_view kDirectionsCutLine =
    "[… texto cortado: mudanças de direção ou de escrita demais]";

class DirectionChanges {
public:
    explicit DirectionChanges(std::size_t maxChanges = kMaxDirectionChanges)
        : maxChanges_(maxChanges)
    {
    }

    // How much of the beginning of UTF-8 text holds no more than the bound
    // of changes: text.size(), or the offset of the character that makes one
    // change too many. A change is a character of one run kind after one of
    // another: left to right, right to left (Hebrew, Arabic and the like) or
    // a number laid out apart (an Arabic digit, or a digit after right to
    // left text). White space and punctuation between two such numbers are a
    // run of their own, two changes, unless they join the numbers (a single
    // separator, as in 1,5 or 2-3, or percent and currency signs after
    // European digits). Each explicit embedding, override or isolate counts
    // as one, and so does each tab, which the layout places apart. A letter
    // of another script than the letter before it (Greek after Latin, say)
    // counts as one too, where its direction does not. Other characters take
    // the direction around them and count for nothing. The changes are
    // counted across calls, so text can come in pieces.
    std::size_t fit(std::string_view text);

    // Whether some text did not fit.
    bool exceeded() const { return exceeded_; }

private:
    enum class Run : unsigned char {
        None,
        Left,
        Right,
        EuropeanNumber,
        ArabicNumber,
        Control,
        // Characters that take the direction around them: separators
        // within numbers, terminators after them, and any other.
        CommonSeparator,
        EuropeanSeparator,
        EuropeanTerminator,
        Neutral,
    };
    Run runOf(char32_t c);
    // Whether the characters since the last number join the number that
    // follows them into one run.
    bool gapJoins(Run number) const;
    // Whether c is a letter of another script than the last one.
    bool scriptChanges(char32_t c);

    std::size_t maxChanges_;
    std::size_t changes_ = 0;
    Run last_ = Run::None;            // run of the last character that has one
    bool afterRight_ = false;         // the last strong direction was right to left
    int lastScript_ = 0;              // QChar::Script of the last letter, or 0 (Script_Unknown)
    std::size_t gap_ = 0;             // characters taking the direction around them since a number
    Run gapFirst_ = Run::None;        // the first of them
    bool gapTerminatorsOnly_ = false; // all of them European terminators
    bool exceeded_ = false;
};

} // namespace platform

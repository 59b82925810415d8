#pragma once
// Changes of writing direction counted for the text layout. Qt lays out each
// run of one direction as an item of its own, shaped and placed apart, so
// text that changes direction at every letter takes seconds for a few
// hundred kilobytes. Text is shown up to a bound on the changes that no page
// written to be read comes near.
#include <cstddef>
#include <string_view>

namespace platform {

// Changes of direction shown at most, and the line that ends a text cut
// there.
inline constexpr std::size_t kMaxDirectionChanges = 10000;
inline constexpr std::string_view kDirectionsCutLine =
    "[… texto cortado: mudanças de direção demais]";

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
    // left text); each explicit embedding, override or isolate counts as one.
    // Other characters take the direction around them and count for nothing.
    // The changes are counted across calls, so text can come in pieces.
    std::size_t fit(std::string_view text);

    // Whether some text did not fit.
    bool exceeded() const { return exceeded_; }

private:
    enum class Run : unsigned char { None, Left, Right, Number, Control };
    Run runOf(char32_t c);

    std::size_t maxChanges_;
    std::size_t changes_ = 0;
    Run last_ = Run::None;    // run of the last character that has one
    bool afterRight_ = false; // the last strong direction was right to left
    bool exceeded_ = false;
};

} // namespace platform

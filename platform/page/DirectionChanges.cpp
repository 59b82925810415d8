#include "platform/page/DirectionChanges.h"

#include "platform/Utf8.h"

#include <QChar>

#include <algorithm>

namespace platform {

DirectionChanges::Run DirectionChanges::runOf(char32_t c)
{
    if (c == '\t') // laid out as an item of its own, whatever its direction
        return Run::Control;
    switch (QChar::direction(c)) {
    case QChar::DirL:
        afterRight_ = false;
        return Run::Left;
    case QChar::DirR:
    case QChar::DirAL:
        afterRight_ = true;
        return Run::Right;
    case QChar::DirAN:
        return Run::ArabicNumber;
    case QChar::DirEN: // a European digit takes a left-to-right run's direction
        return afterRight_ ? Run::EuropeanNumber : Run::Left;
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return Run::Control;
    case QChar::DirCS:
        return Run::CommonSeparator;
    case QChar::DirES:
        return Run::EuropeanSeparator;
    case QChar::DirET:
        return Run::EuropeanTerminator;
    case QChar::DirWS:
    case QChar::DirS:
    case QChar::DirB:
    case QChar::DirON:
        return Run::Neutral;
    default: // marks and invisible characters take the direction before them
        return Run::None;
    }
}

bool DirectionChanges::gapJoins(Run number) const
{
    // A single separator between two numbers of a kind, and terminators
    // after a European one, are laid out as part of the number.
    if (number != last_)
        return false;
    if (gap_ == 1 && gapFirst_ == Run::CommonSeparator)
        return true;
    return number == Run::EuropeanNumber &&
           ((gap_ == 1 && gapFirst_ == Run::EuropeanSeparator) || gapTerminatorsOnly_);
}

bool DirectionChanges::scriptChanges(char32_t c)
{
    // Digits, punctuation and marks belong to no script of their own.
    const QChar::Script script = QChar::script(c);
    if (script == QChar::Script_Unknown || script == QChar::Script_Inherited ||
        script == QChar::Script_Common)
        return false;
    const bool changes = lastScript_ != QChar::Script_Unknown && script != lastScript_;
    lastScript_ = script;
    return changes;
}

std::size_t DirectionChanges::fit(std::string_view text)
{
    const auto isNumber = [](Run run) {
        return run == Run::EuropeanNumber || run == Run::ArabicNumber;
    };
    const auto isNeutral = [](Run run) {
        return run == Run::Neutral || run == Run::CommonSeparator ||
               run == Run::EuropeanSeparator || run == Run::EuropeanTerminator;
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        const char32_t c = length == 0 ? 0 : codePointAt(text, at, length);
        const Run run = length == 0 ? Run::None : runOf(c);
        if (isNeutral(run)) {
            // White space and punctuation take the direction around them;
            // between two numbers, that of the right-to-left text the
            // numbers stand in, apart from them.
            if (isNumber(last_)) {
                if (gap_ == 0)
                    gapFirst_ = run;
                gapTerminatorsOnly_ =
                    (gap_ == 0 || gapTerminatorsOnly_) && run == Run::EuropeanTerminator;
                ++gap_;
            }
        } else if (run != Run::None) {
            std::size_t changes = 0;
            if (isNumber(run) && isNumber(last_))
                changes = gap_ > 0 && !gapJoins(run) ? 2 : 0;
            else if (run == Run::Control || (last_ != Run::None && run != last_))
                changes = 1;
            if (scriptChanges(c) && changes == 0)
                changes = 1;
            if (changes_ + changes > maxChanges_) {
                exceeded_ = true;
                return at;
            }
            changes_ += changes;
            last_ = run;
            gap_ = 0;
        }
        at += std::max<std::size_t>(length, 1);
    }
    return text.size();
}

} // namespace platform

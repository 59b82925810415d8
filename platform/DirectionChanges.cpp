#include "platform/DirectionChanges.h"

#include "platform/PageText.h"

#include <QChar>

#include <algorithm>

namespace platform {

DirectionChanges::Run DirectionChanges::runOf(char32_t c)
{
    switch (QChar::direction(c)) {
    case QChar::DirL:
        afterRight_ = false;
        return Run::Left;
    case QChar::DirR:
    case QChar::DirAL:
        afterRight_ = true;
        return Run::Right;
    case QChar::DirAN:
        return Run::Number;
    case QChar::DirEN: // a European digit takes a left-to-right run's direction
        return afterRight_ ? Run::Number : Run::Left;
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
    default:
        return Run::None;
    }
}

std::size_t DirectionChanges::fit(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        const Run run = length == 0 ? Run::None : runOf(codePointAt(text, at, length));
        if (run != Run::None) {
            if ((run == Run::Control || (last_ != Run::None && run != last_)) &&
                ++changes_ > maxChanges_) {
                exceeded_ = true;
                return at;
            }
            last_ = run;
        }
        at += std::max<std::size_t>(length, 1);
    }
    return text.size();
}

} // namespace platform

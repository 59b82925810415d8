#include "catalogue/ChordNaming.h"

#include "catalogue/Vocabularies.h"

#include <array>

namespace catalogue {
namespace {
constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::array<int, 7> kLetterPitch = {0, 2, 4, 5, 7, 9, 11};

struct Accidental {
    std::string_view text;
    int shift;
};
constexpr std::array<Accidental, 5> kAccidentals = {
    {{"", 0}, {"#", 1}, {"x", 2}, {"b", -1}, {"bb", -2}}};

} // namespace

std::optional<int> pitchClass(std::string_view noteName)
{
    if (noteName.empty())
        return std::nullopt;
    auto letter = kLetters.find(noteName.front());
    if (letter == std::string_view::npos)
        return std::nullopt;
    auto rest = noteName.substr(1);
    for (const auto& a : kAccidentals)
        if (rest == a.text)
            return mod12(kLetterPitch[letter] + a.shift);
    return std::nullopt;
}

std::string bassName(std::string_view root, int interval)
{
    auto rootPc = pitchClass(root);
    if (!rootPc || root.empty())
        return {};
    int steps = 0;
    switch (interval) {
    case 3:
    case 4:
        steps = 2;
        break;
    case 7:
        steps = 4;
        break;
    case 10:
        steps = 6;
        break;
    default:
        return {};
    }
    auto letter = (kLetters.find(root.front()) + static_cast<std::size_t>(steps)) % 7;
    int target = mod12(*rootPc + interval);
    for (const auto& a : kAccidentals)
        if (mod12(kLetterPitch[letter] + a.shift) == target)
            return std::string(1, kLetters[letter]) + std::string(a.text);
    return {};
}

std::string chordSymbol(std::string_view tonica, std::string_view tipo, int bassInterval)
{
    std::string root = rootName(tonica);
    if (tipo == kPlainMajorType || tipo.size() < 2)
        return root;
    std::string suffix(tipo.substr(1, tipo.size() - 2));
    if (suffix.empty() || suffix.back() != '/')
        return root + suffix;
    if (tipo == " 7/ " && bassInterval == 10)
        suffix = "/";
    return root + suffix + bassName(root, bassInterval);
}

} // namespace catalogue

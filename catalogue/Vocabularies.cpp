#include "catalogue/Vocabularies.h"

namespace catalogue {

const std::vector<std::string>& tonicas()
{
    static const std::vector<std::string> list = {"*",   "C ",  "C# ", "Db ", "D ",  "D# ",
                                                  "Eb ", "E ",  "F ",  "F# ", "Gb ", "G ",
                                                  "G# ", "Ab ", "A ",  "A# ", "Bb ", "B "};
    return list;
}

const std::vector<std::string>& tipos()
{
    static const std::vector<std::string> list = {
        "*",
        "/ ",
        " triad ",
        "add9 ",
        "add9/",
        "6 ",
        "6/",
        "maj7 ",
        "maj7/",
        "maj7(9) ",
        "maj7(9)/",
        "6/9 ",
        "maj7(6) ",
        "maj7(b5) ",
        "maj7(#11) ",
        "maj7(#5) ",
        "maj7(6/9) ",
        "maj7(9/b5) ",
        "maj7(9/#11) ",
        "maj7(#5/9) ",
        "maj7(#5#11) ",
        "maj7(#11/#9) ",
        "m ",
        "m/",
        "m triad ",
        "m(add4) ",
        "m(add9) ",
        "m7 ",
        "m7/",
        "m7(9) ",
        "m7(9)/",
        "m11 ",
        "m7(9/11) ",
        "m7(9/11)/",
        "m6 ",
        "m6/",
        "m(6/9) ",
        "m(6/9/11) ",
        "m13 ",
        "m maj7 ",
        "m(maj7)/",
        "m maj7(9) ",
        "m maj7(6) ",
        "m maj7(11) ",
        "m maj7(9/11) ",
        "m maj7(6/9) ",
        "m7(b5) ",
        "m7(b5/9) ",
        "m7(b5/11) ",
        "m7(b5/9/11) ",
        "7 ",
        "7/",
        "7(9) ",
        "7(13) ",
        "7(#11) ",
        "7(b5) ",
        "7(#5) ",
        "7(b13) ",
        "7(b13)/",
        "7(b9) ",
        "7(#9) ",
        "7(9/#11) ",
        "7(9/b5) ",
        "7(9/#5) ",
        "7(9/b13) ",
        "7(9/#11/13) ",
        "7(b5/#9) ",
        "7(b5/b9) ",
        "7(#5/#9) ",
        "7(#9/#11) ",
        "7(#5/b9) ",
        "7(b9/#11) ",
        "7(13/#9) ",
        "7(13/b9) ",
        "7(b9/b13) ",
        "7(#9/b13) ",
        "7(b9/#11/13) ",
        "7(b9/b5/13) ",
        "sus ",
        "sus7 ",
        "sus7(9) ",
        "sus7(13) ",
        "sus7(b9) ",
        "sus7(b9/13) ",
        "sus7(b13/b9) ",
        "sus7(17) ",
        "dim ",
        "dim(b13) ",
        "dim(maj7) ",
        "dim(9) ",
        "dim(4) ",
    };
    return list;
}

std::string rootName(std::string_view rootText)
{
    if (!rootText.empty() && rootText.back() == ' ')
        rootText.remove_suffix(1);
    return std::string(rootText);
}

std::string typeText(std::string_view typeEntry)
{
    std::string text = " " + std::string(typeEntry);
    if (text.back() != ' ')
        text += ' ';
    return text;
}

std::string typeFieldText(std::string_view typeEntry)
{
    return " " + std::string(typeEntry);
}

bool beginsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool isSlashType(std::string_view tipo)
{
    return tipo.size() >= 2 && tipo.substr(tipo.size() - 2) == "/ ";
}

const std::vector<std::string>& typeTexts()
{
    static const std::vector<std::string> list = [] {
        std::vector<std::string> texts{std::string(kPlainMajorType)};
        const auto& entries = tipos();
        for (std::size_t i = 1; i < entries.size(); ++i)
            texts.push_back(typeText(entries[i]));
        return texts;
    }();
    return list;
}

std::string categoria(std::string_view tipo)
{
    // Categories run in blocks of the type list: plain major and entries 1-21
    // major (one exception), 22-49 minor, 50-85 sevenths and suspended, 86-90
    // diminished.
    if (tipo == kPlainMajorType)
        return "Maior";
    if (tipo == " maj7(#5/9) ")
        return "NA";
    const auto& texts = typeTexts();
    for (std::size_t i = 1; i < texts.size(); ++i) {
        if (texts[i] != tipo)
            continue;
        if (i <= 21)
            return "Maior";
        if (i <= 49)
            return "menor";
        if (i <= 85)
            return "7";
        return "dim";
    }
    return {};
}

} // namespace catalogue

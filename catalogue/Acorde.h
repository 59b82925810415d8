#pragma once
// The chord record: one voicing of one chord symbol. Every field is text, kept
// byte for byte; a lone blank " " stands for "none".
//  - C1 is string 1 (high E) ... C6 is string 6 (low E). A fret text is " "
//    (string not played) or "0" (open string) to "15".
//  - Fav is "*" for a favourite, " " otherwise; FavOrder is "%03d" once marked.
// Records are shared, never copied: every list holds the same objects.
#include <memory>
#include <string>
#include <vector>

namespace catalogue {

class Acorde {
public:
    Acorde(std::string IDAcorde, std::string IDCifra, std::string Tonica, std::string Tipo,
           std::string Categoria, std::string Inversao, std::string Cifra, std::string Image,
           std::string C1, std::string C2, std::string C3, std::string C4, std::string C5,
           std::string C6, std::string Fav, std::string FavOrder);

    // The fret text of a string, 1 (high E) to 6 (low E).
    const std::string& fret(int string) const;

    std::string IDAcorde;
    std::string IDCifra;
    std::string Tonica;
    std::string Tipo;
    std::string Categoria;
    std::string Inversao;
    std::string Cifra;
    std::string Image;
    std::string C1, C2, C3, C4, C5, C6;
    std::string Fav;
    std::string FavOrder;
};

using AcordeRef = std::shared_ptr<Acorde>;
// An ordered list of shared records; screens hand the very list around.
using ChordList = std::vector<AcordeRef>;
using ChordListRef = std::shared_ptr<ChordList>;

} // namespace catalogue

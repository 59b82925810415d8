#include "catalogue/Acorde.h"

namespace catalogue {

Acorde::Acorde(std::string IDAcorde_, std::string IDCifra_, std::string Tonica_, std::string Tipo_,
               std::string Categoria_, std::string Inversao_, std::string Cifra_,
               std::string Image_, std::string C1_, std::string C2_, std::string C3_,
               std::string C4_, std::string C5_, std::string C6_, std::string Fav_,
               std::string FavOrder_)
    : IDAcorde(std::move(IDAcorde_)), IDCifra(std::move(IDCifra_)), Tonica(std::move(Tonica_)),
      Tipo(std::move(Tipo_)), Categoria(std::move(Categoria_)), Inversao(std::move(Inversao_)),
      Cifra(std::move(Cifra_)), Image(std::move(Image_)), C1(std::move(C1_)), C2(std::move(C2_)),
      C3(std::move(C3_)), C4(std::move(C4_)), C5(std::move(C5_)), C6(std::move(C6_)),
      Fav(std::move(Fav_)), FavOrder(std::move(FavOrder_))
{
}

const std::string& Acorde::fret(int string) const
{
    switch (string) {
    case 1:
        return C1;
    case 2:
        return C2;
    case 3:
        return C3;
    case 4:
        return C4;
    case 5:
        return C5;
    default:
        return C6;
    }
}

} // namespace catalogue

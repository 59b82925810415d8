#pragma once
// The favourites list holds each record once, in the order it first arrived:
// a record already in it is not appended again, whether it comes from a press
// of the favourite star, a page's chord names or a saved list being opened.
#include "catalogue/Acorde.h"

namespace finder {

// Appends the record unless the list already holds it; whether it was
// appended.
bool addFavourite(catalogue::ChordList& favourites, const catalogue::AcordeRef& record);

// Appends, in their order, the records the list does not hold yet; a record
// named twice among them is appended once.
void addFavourites(catalogue::ChordList& favourites, const catalogue::ChordList& records);

} // namespace finder

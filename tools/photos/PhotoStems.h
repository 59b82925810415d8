#pragma once
// Which pictures to draw: one per distinct photo stem of the catalogue.
#include "catalogue/CatalogueLoader.h"
#include "tools/photos/HandShape.h"

#include <string>
#include <vector>

namespace photos {

struct StemShape {
    std::string stem;
    FretPattern frets;
};

// One entry per distinct `Image` stem, in order of first appearance. Where
// records share a stem, the first record's frets are drawn. A record whose stem
// is not a plain file name (letters, digits, '_' and '-') or whose fret texts are
// invalid is skipped with a log line; one whose notes spread over more frets
// than a picture shows is kept (drawn without the notes beyond) and logged.
std::vector<StemShape> distinctStems(const catalogue::ChordList& records,
                                     const catalogue::LogSink& log);

} // namespace photos

#include "finder/BundledCatalogue.h"

#include "catalogue/CatalogueLoader.h"
#include "platform/Bundle.h"
#include "platform/Log.h"

namespace finder {

catalogue::ChordListRef loadBundledCatalogue()
{
    const auto path = platform::Bundle::main().pathForResource("catalogue", "tsv");
    if (!path) {
        platform::log("Catálogo não encontrado no bundle: catalogue.tsv");
        return nullptr;
    }
    return catalogue::loadCatalogue(*path, [](const std::string& line) { platform::log(line); });
}

} // namespace finder

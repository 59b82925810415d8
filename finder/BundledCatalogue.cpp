#include "finder/BundledCatalogue.h"

#include "catalogue/CatalogueLoader.h"
#include "platform/Bundle.h"
#include "platform/Log.h"

namespace finder {

catalogue::ChordListRef loadBundledCatalogue()
{
    const auto path = platform::Bundle::main().pathForResource("catalogue", "tsv");
    if (!path) {
        platform::log(platform::LogLevel::Warning,
                      "Catálogo não encontrado no bundle: catalogue.tsv");
        return nullptr;
    }
    // The loader speaks only of a damaged file.
    return catalogue::loadCatalogue(
        *path, [](const std::string& line) { platform::log(platform::LogLevel::Warning, line); });
}

} // namespace finder

#pragma once
// The catalogue that the build lays out in the bundle beside the test binary.
#include "catalogue/CatalogueLoader.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// Loaded afresh on each call; a line the loader logs fails the test.
inline catalogue::ChordListRef loadBundledCatalogue()
{
    const std::string path =
        (QCoreApplication::applicationDirPath() + "/bundle/catalogue.tsv").toStdString();
    return catalogue::loadCatalogue(path, [](const std::string& line) { ADD_FAILURE() << line; });
}

} // namespace testsupport

#include "CatalogueGenerator.h"
#include "SourceFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

// The committed catalogue is exactly what the generator makes of its inputs.
TEST(Regeneration, GeneratorReproducesCommittedCatalogue)
{
    auto inputs = voicings::readInputs(sourcePath("tools/voicings/data"));
    auto generated = voicings::generateCatalogue(inputs);
    std::ifstream in(sourcePath("resources/catalogue.tsv"), std::ios::binary);
    std::stringstream committed;
    committed << in.rdbuf();
    ASSERT_EQ(generated.size(), committed.str().size());
    EXPECT_TRUE(generated == committed.str())
        << "resources/catalogue.tsv is out of date: build the regenerate-catalogue target";
}

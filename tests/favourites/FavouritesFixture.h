#pragma once
// Shared set-up of the favourites screens' tests: a scratch data folder (so
// the Documents folder is a fresh one), the real catalogue from the built
// bundle, and the samples a chord should sound.
#include "audio/SampleFixture.h"
#include "catalogue/Acorde.h"
#include "platform/Bundle.h"
#include "platform/Documents.h"
#include "support/BundledCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace favtest {

// The whole catalogue, loaded once per test binary.
inline const catalogue::ChordListRef& catalogueList()
{
    static const catalogue::ChordListRef all = testsupport::loadBundledCatalogue();
    return all;
}

// The catalogue record with that IDAcorde.
inline catalogue::AcordeRef recordWithId(const std::string& idAcorde)
{
    for (const auto& record : *catalogueList())
        if (record->IDAcorde == idAcorde)
            return record;
    ADD_FAILURE() << "no record " << idAcorde;
    return nullptr;
}

// The sample names a record's chord sounds: "C6-003" for string 6, fret 3.
inline std::vector<std::string> samplesOf(const catalogue::Acorde& record)
{
    std::vector<std::string> names;
    for (int string = 6; string >= 1; --string) {
        const std::string& text = record.fret(string);
        if (text == " ")
            continue;
        const int fret = std::stoi(text);
        char name[16];
        if (fret == 0)
            std::snprintf(name, sizeof name, "C%d", string);
        else
            std::snprintf(name, sizeof name, "C%d-%03d", string, fret);
        names.emplace_back(name);
    }
    return names;
}

// Points the application's data folder at a fresh scratch folder for the test.
class ScratchDataFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", root_.path().c_str(), 1);
        documents_ = platform::Documents::standard().directory();
        std::filesystem::create_directories(documents_);
    }
    const std::filesystem::path& documents() const { return documents_; }

private:
    testsupport::TempFolder root_;
    std::filesystem::path documents_;
};

} // namespace favtest

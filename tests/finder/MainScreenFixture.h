#pragma once
// The chord finder over the real catalogue, without widgets; and the main
// screen loaded for real, with a canned page fetcher.
#include "finder/ChordFinder.h"
#include "finder/FirstViewController.h"
#include "finder/TableView.h"
#include "platform/Button.h"
#include "platform/Log.h"
#include "support/BundledCatalogue.h"
#include "support/FakePageFetcher.h"
#include "support/PageShown.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace findertest {

// The catalogue, loaded afresh for each test: tests mark records.
inline catalogue::ChordListRef freshCatalogue()
{
    return testsupport::loadBundledCatalogue();
}

// A pattern from six fret texts, string 1 first.
inline catalogue::FretPattern frets(const std::array<std::string_view, 6>& texts)
{
    const auto pattern = catalogue::FretPattern::parse(texts);
    EXPECT_TRUE(pattern.has_value());
    return pattern.value_or(catalogue::FretPattern{});
}

inline int rowOf(const std::vector<std::string>& list, const std::string& entry)
{
    const auto it = std::find(list.begin(), list.end(), entry);
    EXPECT_NE(it, list.end()) << entry;
    return static_cast<int>(it - list.begin());
}

} // namespace findertest

struct Finder : ::testing::Test {
    finder::ChordFinder finder;
    std::vector<int> counts; // every count the finder announced
    void SetUp() override
    {
        QObject::connect(&finder, &finder::ChordFinder::countChanged,
                         [this](int count) { counts.push_back(count); });
        finder.start(findertest::freshCatalogue());
    }
    const catalogue::ChordList& shown() const { return *finder.shownList(); }
    const catalogue::ChordList& all() const { return *finder.allTableData(); }
    void chooseRoot(const std::string& root)
    {
        finder.selectRoot(findertest::rowOf(finder.tonicas(), root));
    }
    void chooseType(const std::string& entry)
    {
        finder.selectType(findertest::rowOf(finder.tipos(), entry));
    }
    void filterByLabels(const std::array<std::string_view, 6>& labels)
    {
        finder.setFretLabels(findertest::frets(labels));
        finder.setFilterChord();
    }
    // The number of catalogue records that pass a test.
    template <class Test> std::size_t countInCatalogue(Test test) const
    {
        return static_cast<std::size_t>(
            std::count_if(all().begin(), all().end(),
                          [&](const catalogue::AcordeRef& chord) { return test(*chord); }));
    }
};

struct MainScreen : ::testing::Test {
    FakePageFetcher* fetcher = nullptr;
    std::shared_ptr<finder::FirstViewController> screen;

    void SetUp() override { screen = make(); }

    std::shared_ptr<finder::FirstViewController> make()
    {
        auto fake = std::make_unique<FakePageFetcher>();
        fetcher = fake.get();
        auto controller = std::make_shared<finder::FirstViewController>(std::move(fake));
        controller->view();
        return controller;
    }

    finder::ChordFinder& finder() { return screen->finder(); }
    const catalogue::ChordList& shown() { return *finder().shownList(); }
    template <class T = QWidget> T* named(const char* name) { return screen->outlet<T>(name); }
    finder::TableView* table(const char* name) { return named<finder::TableView>(name); }
    QString textOf(const char* name)
    {
        if (auto* field = named<QLineEdit>(name))
            return field->text();
        return named<QLabel>(name)->text();
    }
};

#pragma once
// A main screen loaded from the real bundle, with a canned page fetcher.
#include "finder/FirstViewController.h"
#include "platform/Log.h"
#include "platform/Window.h"
#include "support/FakePageFetcher.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

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

    const catalogue::ChordList& shown() const { return *screen->shownList(); }

    // The fret labels, made here when the fretboard's own widget is absent.
    void ensureFretLabels()
    {
        for (std::size_t s = 0; s < 6; ++s)
            if (!screen->cdr[s])
                screen->cdr[s] = new QLabel(QStringLiteral(" "), screen->view());
    }
    void setFretLabels(const std::array<const char*, 6>& frets)
    {
        ensureFretLabels();
        for (std::size_t s = 0; s < 6; ++s)
            screen->cdr[s]->setText(QString::fromUtf8(frets[s]));
    }

    int rowOf(const std::vector<std::string>& list, const std::string& entry)
    {
        const auto it = std::find(list.begin(), list.end(), entry);
        EXPECT_NE(it, list.end()) << entry;
        return static_cast<int>(it - list.begin());
    }
    void chooseRoot(const std::string& root)
    {
        screen->tableViewDidSelectRow(screen->tableViewTonica, rowOf(screen->tonicas, root));
    }
    void chooseType(const std::string& entry)
    {
        screen->tableViewDidSelectRow(screen->tableViewTipo, rowOf(screen->tipos, entry));
    }
    // The number of catalogue records that pass a test.
    template <class Test> std::size_t countInCatalogue(Test test) const
    {
        return static_cast<std::size_t>(
            std::count_if(screen->allTableData->begin(), screen->allTableData->end(),
                          [&](const catalogue::AcordeRef& chord) { return test(*chord); }));
    }
};

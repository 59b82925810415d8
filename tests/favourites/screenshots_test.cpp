// Pictures of the two screens in the dark appearance, for looking at by eye:
// run with --gtest_also_run_disabled_tests; they land in the temporary folder.
#include "FavouritesFixture.h"

#include "favourites/CollectionViewController.h"
#include "favourites/FavViewController.h"
#include "platform/Alert.h"
#include "platform/Window.h"

#include <QListWidget>
#include <QTest>

#include <fstream>
#include <functional>

using catalogue::ChordList;
using favtest::recordWithId;

namespace {

class Screenshots : public favtest::ScratchDataFolder {
protected:
    static void shoot(platform::ViewControllerRef screen, const std::string& file,
                      const std::function<void()>& before = {})
    {
        auto window = std::make_shared<platform::Window>();
        window->setOverrideUserInterfaceStyle(platform::UserInterfaceStyle::Dark);
        window->setRootViewController(std::move(screen));
        window->setFixedSize(1164, 800);
        window->show();
        QTest::qWait(50);
        if (before)
            before();
        const auto path = std::filesystem::temp_directory_path() / file;
        EXPECT_TRUE(window->grab().save(QString::fromStdString(path.string())));
        if (QMessageBox* alert = platform::visibleAlert()) {
            const auto alertPath = std::filesystem::temp_directory_path() / ("alert-" + file);
            EXPECT_TRUE(alert->grab().save(QString::fromStdString(alertPath.string())));
            platform::pressAlertButton(alert, 0);
        }
    }
    static catalogue::ChordListRef someFavourites()
    {
        return std::make_shared<ChordList>(ChordList{recordWithId("000004"), recordWithId("000006"),
                                                     recordWithId("000007"), recordWithId("000011"),
                                                     recordWithId("000010"), recordWithId("000002"),
                                                     recordWithId("000009")});
    }
};

} // namespace

TEST_F(Screenshots, DISABLED_FavouritesScreen)
{
    for (const char* name : {"Ensaio de sábado", "Bossa", "Acordes com nona"})
        std::ofstream(documents() / name) << "<plist version=\"1.0\"><array/></plist>";
    auto screen = std::make_shared<favourites::FavViewController>();
    screen->setFilteredTableData(someFavourites());
    screen->setAllTableData(favtest::catalogueList());
    shoot(screen, "cifrario-favoritos.png");
    // A selected row and the delete question.
    auto again = std::make_shared<favourites::FavViewController>();
    again->setFilteredTableData(someFavourites());
    again->setAllTableData(favtest::catalogueList());
    shoot(again, "cifrario-favoritos-deletar.png", [&again] {
        again->outlet<QListWidget>("tablePlist")->setCurrentRow(1);
        again->tableCommitDeleteRow(1);
    });
}

TEST_F(Screenshots, DISABLED_ChordGridScreen)
{
    auto screen = std::make_shared<favourites::CollectionViewController>();
    screen->setFilteredTableData(someFavourites());
    shoot(screen, "cifrario-grade.png");
}

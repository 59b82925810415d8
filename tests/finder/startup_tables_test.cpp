// The main screen's first state, its five tables, the thumbnail redraw and
// the instructions overlay.
#include "MainScreenFixture.h"
#include "finder/LuminosityImage.h"
#include "finder/TableModels.h"
#include "finder/TableViewCell.h"
#include "platform/audio/AudioEngine.h"

#include <QAbstractButton>
#include <QTest>

TEST_F(MainScreen, StartsOnTheChordCWithTheWholeCatalogue)
{
    EXPECT_EQ(screen->tonicaText->text(), "C ");
    EXPECT_EQ(screen->tipoText->text(), " *");
    EXPECT_EQ(screen->labelCifra->text(), "C");
    EXPECT_EQ(screen->labelCifra->font().pixelSize(), 40);
    EXPECT_FALSE(screen->isFiltered);
    EXPECT_EQ(screen->indexFav, 0);
    EXPECT_EQ(screen->tonicas.size(), 18u);
    EXPECT_EQ(screen->tipos.size(), 91u);
    ASSERT_EQ(screen->allTableData->size(), 4957u);
    EXPECT_EQ(screen->allTableData->front()->Cifra, "C");
    EXPECT_EQ(screen->chordOnDisplay, screen->allTableData->front());
    EXPECT_TRUE(screen->filteredTableData->empty());
    EXPECT_TRUE(screen->filteredFavorite->empty());
    EXPECT_NE(screen->filteredTableData, screen->filteredFavorite);
    ASSERT_TRUE(screen->activityIndicator);
    EXPECT_FALSE(screen->activityIndicator->isAnimating() && screen->activityIndicator->isHidden());

    EXPECT_EQ(screen->tableViewTonica->numberOfRows(), 18);
    EXPECT_EQ(screen->tableViewTipo->numberOfRows(), 91);
    EXPECT_EQ(screen->tableViewCifras->numberOfRows(), 4957);
    EXPECT_EQ(screen->tableViewFotos->numberOfRows(), 4957);
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 0);
    EXPECT_EQ(screen->labelnChords->text(), "(4957)");
}

TEST_F(MainScreen, StartUpSoundsNothing)
{
    auto engine = platform::AudioEngine::shared();
    std::vector<float> out(2 * 1024, 1.0f);
    engine->render(out.data(), 1024);
    EXPECT_EQ(engine->soundingVoices(), 0);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == 0.0f; }));
}

TEST_F(MainScreen, TablesShowTheirListsAsStored)
{
    auto text = [](finder::TableView* table, int row) {
        return table->model()->index(row, 0).data().toString().toStdString();
    };
    EXPECT_EQ(text(screen->tableViewTonica, 0), "*");
    EXPECT_EQ(text(screen->tableViewTonica, 17), "B ");
    EXPECT_EQ(text(screen->tableViewTipo, 2), " triad ");
    EXPECT_EQ(text(screen->tableViewTipo, 4), "add9/");
    EXPECT_EQ(text(screen->tableViewTipo, 90), "dim(4) ");
    EXPECT_EQ(text(screen->tableViewCifras, 0), "C");
    const QModelIndex photo = screen->tableViewFotos->model()->index(0, 0);
    EXPECT_EQ(photo.data(finder::TableModel::ImageStemRole).toString(), "DS1_0019");
    EXPECT_EQ(photo.data().toString(), "C");
    EXPECT_EQ(
        screen->tableViewCifras->model()->index(0, 0).data(Qt::FontRole).value<QFont>().pixelSize(),
        20);
    EXPECT_EQ(photo.data(Qt::FontRole).value<QFont>().pixelSize(), 18);

    // Filtering on with an empty list empties both chord tables.
    screen->isFiltered = true;
    screen->tableViewCifras->reloadData();
    EXPECT_EQ(screen->tableViewCifras->numberOfRows(), 0);
}

TEST_F(MainScreen, AFavouritesRowPastTheEndOfAShrunkListIsEmpty)
{
    screen->SetFavorite();
    ASSERT_EQ(screen->tableViewFav->numberOfRows(), 1);
    // Another holder of the shared list empties it without a reload here.
    screen->filteredFavorite->clear();
    const QModelIndex row = screen->tableViewFav->model()->index(0, 0);
    EXPECT_FALSE(row.data().isValid());
    screen->tableViewFav->grab(); // paints without reading past the end
}

TEST_F(MainScreen, PhotoTableDecodesOnlyTheThumbnailsItDraws)
{
    auto* cell = dynamic_cast<finder::TableViewCell*>(screen->tableViewFotos->itemDelegate());
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(cell->thumbnails(), nullptr);
    screen->tableViewFotos->resize(226, 466);
    screen->tableViewFotos->grab();
    const std::size_t drawn = cell->thumbnails()->size();
    EXPECT_GT(drawn, 0u);
    EXPECT_LT(drawn, 20u);
    screen->tableViewFotos->scrollToBottom();
    screen->tableViewFotos->grab();
    EXPECT_LT(cell->thumbnails()->size(), 2 * drawn + 2);
}

TEST(LuminosityImage, GreyOpaqueCopyInPoints)
{
    QImage source(240, 180, QImage::Format_ARGB32);
    source.setDevicePixelRatio(2.0);
    source.fill(QColor(200, 40, 40, 255));
    const QImage grey = finder::luminosityImage(source);
    EXPECT_EQ(grey.size(), QSize(120, 90));
    EXPECT_EQ(grey.devicePixelRatio(), 1.0);
    EXPECT_FALSE(grey.hasAlphaChannel());
    const QRgb p = grey.pixel(10, 10);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_EQ(qRed(p), (30 * 200 + 59 * 40 + 11 * 40 + 50) / 100);
    EXPECT_EQ(source.pixelColor(0, 0), QColor(200, 40, 40)); // the source is untouched

    QImage levels(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        levels.setPixel(x, 0, qRgb(x, x, x));
    const QImage kept = finder::luminosityImage(levels);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(qRed(kept.pixel(x, 0)), x);

    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(finder::luminosityImage(clear).pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(finder::luminosityImage(QImage()).isNull());
}

TEST_F(MainScreen, InstructionsOverlayFlipsEachViewFromItsOwnFlag)
{
    std::vector<QWidget*> overlay = {screen->imageInstruc, screen->setasInstruc};
    for (const auto& label : screen->label_instr)
        overlay.push_back(label);
    for (QWidget* part : overlay) {
        ASSERT_NE(part, nullptr);
        EXPECT_TRUE(part->isHidden());
    }
    EXPECT_FALSE(screen->imageInstruc->pixmap().isNull());
    EXPECT_FALSE(screen->setasInstruc->pixmap().isNull());

    QTest::mouseClick(screen->outlet<QAbstractButton>("ShowInstruc"), Qt::LeftButton);
    for (QWidget* part : overlay)
        EXPECT_FALSE(part->isHidden());
    screen->label_instr[4]->hide(); // one view out of step with the others
    screen->ShowInstruc();
    for (QWidget* part : overlay)
        EXPECT_EQ(part->isHidden(), part != screen->label_instr[4]);
}

#include "FavouritesFixture.h"

#include "favourites/FavViewController.h"
#include "finder/ChordListModel.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"
#include "support/FocusStops.h"
#include "support/StandardError.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTest>

#include <algorithm>
#include <fstream>

using catalogue::ChordList;
using catalogue::ChordListRef;
using favourites::FavViewController;
using favtest::recordWithId;

namespace {

class FavScreen : public favtest::ScratchDataFolder {
protected:
    std::shared_ptr<FavViewController> openScreen(ChordListRef favourites)
    {
        auto screen = std::make_shared<FavViewController>(engine);
        screen->setFilteredTableData(std::move(favourites));
        screen->setAllTableData(favtest::catalogueList());
        screen->view()->resize(1164, 800);
        screen->view()->show();
        return screen;
    }

    static QListWidget* table(const FavViewController& screen)
    {
        return const_cast<FavViewController&>(screen).outlet<QListWidget>("tablePlist");
    }
    static std::vector<std::string> rows(const FavViewController& screen)
    {
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(table(screen)->count()));
        for (int i = 0; i < table(screen)->count(); ++i)
            texts.push_back(table(screen)->item(i)->text().toStdString());
        return texts;
    }
    static int rowOf(const FavViewController& screen, const std::string& name)
    {
        const auto texts = rows(screen);
        const auto it = std::find(texts.begin(), texts.end(), name);
        return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
    }
    static QPoint rowCentre(const FavViewController& screen, int row)
    {
        return table(screen)->visualItemRect(table(screen)->item(row)).center();
    }
    static void sorted(std::vector<std::string>& v) { std::sort(v.begin(), v.end()); }

    void writeList(const std::string& name, const std::string& identifier)
    {
        std::ofstream(documents() / name)
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<array>\n"
               "\t<string>"
            << identifier << "</string>\n</array>\n</plist>\n";
    }

    std::shared_ptr<platform::AudioEngine> engine = std::make_shared<platform::AudioEngine>();
};

} // namespace

TEST_F(FavScreen, HandOverSharesTheListsAndTheGridShowsThem)
{
    auto favourites = std::make_shared<ChordList>(
        ChordList{recordWithId("000006"), recordWithId("000002"), recordWithId("000006")});
    auto screen = openScreen(favourites);
    EXPECT_EQ(screen->filteredTableData().get(), favourites.get());
    EXPECT_EQ(screen->allTableData().get(), favtest::catalogueList().get());

    auto* model = screen->grid()->model();
    ASSERT_EQ(screen->outlet<QListView>("collection")->model(), model);
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0).data().toString(), "C/E");
    EXPECT_EQ(model->index(1).data().toString(), "C");
    EXPECT_EQ(model->index(2).data().toString(), "C/E");
    EXPECT_EQ(model->index(2).data(finder::ChordListModel::ImageStemRole).toString(), "DS3_0001");
    EXPECT_TRUE(rows(*screen).empty()); // an empty Documents folder
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            EXPECT_NE(screen->bank().player(string, fret), nullptr);
}

TEST_F(FavScreen, TapSoundsExactlyThatChordAndChangesNothing)
{
    auto favourites = std::make_shared<ChordList>(
        ChordList{recordWithId("000004"), recordWithId("000006"), recordWithId("000007")});
    const ChordList before = *favourites;
    auto screen = openScreen(favourites);
    QListView* grid = screen->outlet<QListView>("collection");
    const QRect second = grid->visualRect(grid->model()->index(1, 0));
    ASSERT_FALSE(second.isEmpty());

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    const int frames = 8192;
    EXPECT_EQ(audiotest::renderMono(*engine, frames),
              audiotest::expectedMix(favtest::samplesOf(*recordWithId("000006")), frames));
    EXPECT_EQ(*favourites, before);
    EXPECT_EQ(recordWithId("000006")->Fav, " ");
}

TEST_F(FavScreen, AnItemPastTheEndIsAnEmptyCellAndATapOnItDoesNothing)
{
    auto favourites =
        std::make_shared<ChordList>(ChordList{recordWithId("000004"), recordWithId("000006")});
    auto screen = openScreen(favourites);
    QListView* grid = screen->outlet<QListView>("collection");
    const QRect last = grid->visualRect(grid->model()->index(1, 0));

    favourites->pop_back(); // the list shrinks behind the grid's back
    EXPECT_FALSE(grid->model()->index(1, 0).data().isValid());
    EXPECT_FALSE(grid->grab().isNull());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, last.center());
    screen->collectionViewDidSelectItem(7);
    audiotest::renderMono(*engine, platform::AudioEngine::kBufferFrames);
    EXPECT_EQ(engine->soundingVoices(), 0);
}

TEST_F(FavScreen, SaveListsTheNameAndOpenRefillsTheSharedFavouritesInPlace)
{
    std::filesystem::create_directory(documents() / "pasta");
    // C/E (second voicing), C (third voicing) twice.
    auto favourites = std::make_shared<ChordList>(
        ChordList{recordWithId("000006"), recordWithId("000005"), recordWithId("000005")});
    auto screen = openScreen(favourites);
    EXPECT_EQ(rows(*screen), std::vector<std::string>{"pasta"});
    QWidget* const view = screen->view();
    QListView* const grid = screen->outlet<QListView>("collection");
    QListWidget* const tablePlist = table(*screen);
    QLineEdit* const field = screen->outlet<QLineEdit>("nomeListaFav");

    const std::string name = " Minha lista.plist";
    field->setText(QString::fromStdString(name));
    platform::LogCapture saveLog;
    QTest::mouseClick(screen->outlet<QAbstractButton>("salvarListaFav"), Qt::LeftButton);
    EXPECT_FALSE(screen->carrega());
    auto shown = rows(*screen);
    sorted(shown);
    EXPECT_EQ(shown, (std::vector<std::string>{" Minha lista.plist", "pasta"}));
    EXPECT_EQ(screen->list(), (std::vector<std::string>{"000059", "001319", "001319"}));
    EXPECT_TRUE(saveLog.contains("cont Plist: 2"));
    EXPECT_EQ(field->text().toStdString(), name);

    // The main screen's favourites change meanwhile; the open replaces them.
    favourites->assign({recordWithId("000007")});
    screen->grid()->reloadData();
    ASSERT_EQ(grid->model()->rowCount(), 1);
    const platform::AudioPlayer* playerBefore = screen->bank().player(6, 3);
    platform::LogCapture openLog;
    const int row = rowOf(*screen, name);
    QTest::mouseClick(tablePlist->viewport(), Qt::LeftButton, {}, rowCentre(*screen, row));

    EXPECT_EQ(screen->filteredTableData().get(), favourites.get());
    // The first voicing of C/E, then C's first voicing and, for the repeat, its next.
    EXPECT_EQ(*favourites,
              (ChordList{recordWithId("000003"), recordWithId("000004"), recordWithId("000002")}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->index(2, 0).data().toString(), "C");
    for (const auto& record : *favourites)
        EXPECT_EQ(record->Fav, " ");
    const auto lines = openLog.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "selecionada: " + name);
    EXPECT_TRUE(openLog.contains("plistSelecionado: 001319 - acordeID 001319"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("filtrados: ", 0) == 0; }),
              1);

    // The refresh ran the start-up again on the same widgets, with new players.
    EXPECT_NE(screen->bank().player(6, 3), playerBefore);
    EXPECT_NE(screen->bank().player(6, 3), nullptr);
    EXPECT_TRUE(screen->carrega());
    EXPECT_TRUE(screen->list().empty());
    EXPECT_EQ(screen->view(), view);
    EXPECT_EQ(screen->outlet<QListView>("collection"), grid);
    EXPECT_EQ(table(*screen), tablePlist);
    EXPECT_EQ(screen->outlet<QLineEdit>("nomeListaFav"), field);
    EXPECT_EQ(grid->model(), screen->grid()->model());
    shown = rows(*screen);
    sorted(shown);
    EXPECT_EQ(shown, (std::vector<std::string>{" Minha lista.plist", "pasta"}));
}

TEST_F(FavScreen, AnEmptyNameSavesNothingAndTheTableStays)
{
    writeList("antiga", "001319");
    auto screen = openScreen(std::make_shared<ChordList>(ChordList{recordWithId("000004")}));
    screen->salvarListaFav();
    EXPECT_FALSE(screen->carrega());
    EXPECT_EQ(rows(*screen), std::vector<std::string>{"antiga"});
}

TEST_F(FavScreen, DeletingAsksFirstAndOnlyDeletarRemoves)
{
    writeList("a", "001319");
    writeList("b", "000059");
    auto favourites = std::make_shared<ChordList>(ChordList{recordWithId("000006")});
    auto screen = openScreen(favourites);
    QListWidget* tablePlist = table(*screen);
    screen->view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen->view()));

    // A right click selects no list to open.
    platform::LogCapture log;
    QTest::mouseClick(tablePlist->viewport(), Qt::RightButton, {},
                      rowCentre(*screen, rowOf(*screen, "a")));
    EXPECT_FALSE(log.contains("selecionada: a"));

    // The Delete key on the selected row asks; "Cancelar" keeps the list.
    tablePlist->setCurrentRow(rowOf(*screen, "a"));
    tablePlist->setFocus();
    QTest::keyClick(tablePlist, Qt::Key_Delete);
    QMessageBox* alert = platform::visibleAlert();
    ASSERT_NE(alert, nullptr);
    // The question heads the alert; the window is titled by the application.
    EXPECT_EQ(alert->text().toStdString(), "<b>Deseja Deletar? </b>");
    EXPECT_EQ(alert->windowTitle().toStdString(),
              QGuiApplication::applicationDisplayName().toStdString());
    EXPECT_EQ(alert->informativeText(), "a"); // the list's name, nothing else
    EXPECT_TRUE(log.contains("selecionadaExcluir: a"));
    EXPECT_EQ(screen->removeSelecionado(), "a");
    const platform::AudioPlayer* playerBefore = screen->bank().player(1, 0);
    platform::pressAlertButton(alert, 0);
    EXPECT_EQ(screen->bank().player(1, 0), playerBefore); // no refresh on "Cancelar"
    EXPECT_TRUE(std::filesystem::exists(documents() / "a"));
    EXPECT_EQ(rows(*screen).size(), 2u);
    EXPECT_EQ(screen->removeSelecionado(), "a");

    // The context menu's "Deletar" asks again; "Deletar" removes the list.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, rowCentre(*screen, rowOf(*screen, "a")));
    QCoreApplication::sendEvent(tablePlist->viewport(), &menuEvent);
    auto* menu = tablePlist->findChild<QMenu*>("menuLista");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), "Deletar");
    menu->actions().front()->trigger();
    menu->close();
    alert = platform::visibleAlert();
    ASSERT_NE(alert, nullptr);
    platform::pressAlertButton(alert, 1);
    EXPECT_NE(screen->bank().player(1, 0), playerBefore); // "Deletar" refreshes
    EXPECT_FALSE(std::filesystem::exists(documents() / "a"));
    EXPECT_EQ(rows(*screen), std::vector<std::string>{"b"});
    EXPECT_FALSE(screen->removeSelecionado().has_value());
    EXPECT_EQ(*favourites, ChordList{recordWithId("000006")}); // the grid stays
}

TEST_F(FavScreen, AListWhoseNameIsNotUtf8StillOpens)
{
    writeList("lista-\xff", "001319");
    auto favourites = std::make_shared<ChordList>();
    auto screen = openScreen(favourites);
    ASSERT_EQ(table(*screen)->count(), 1);
    QTest::mouseClick(table(*screen)->viewport(), Qt::LeftButton, {}, rowCentre(*screen, 0));
    EXPECT_EQ(*favourites, ChordList{recordWithId("000004")});
}

// A list whose name holds a line break and terminal escapes, as any file put
// in the folder may: opening and deleting it each write one log line, in
// which the name shows escaped; no line of its own is forged, and no escape
// byte reaches standard error.
TEST_F(FavScreen, AListNameWithALineBreakAndEscapesIsLoggedOnOneLineEscaped)
{
    const std::string name = "x\ncifrario: warning: FORGED LINE\x1b[2J\x1b]0;t\x07";
    const std::string shown = "x\\ncifrario: warning: FORGED LINE\\x1b[2J\\x1b]0;t\\x07";
    writeList(name, "001319");
    auto favourites = std::make_shared<ChordList>();
    auto screen = openScreen(favourites);
    QListWidget* const tablePlist = table(*screen);
    ASSERT_EQ(tablePlist->count(), 1);
    const auto withTheName = [](const std::vector<std::string>& lines) {
        std::vector<std::string> found;
        for (const std::string& line : lines)
            if (line.find("FORGED") != std::string::npos)
                found.push_back(line);
        return found;
    };
    const auto holdsEscapeByte = [](const std::vector<std::string>& lines) {
        return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find('\x1b') != std::string::npos;
        });
    };

    std::vector<std::string> written;
    {
        testsupport::StandardErrorFile standardError;
        QTest::mouseClick(tablePlist->viewport(), Qt::LeftButton, {}, rowCentre(*screen, 0));
        written = standardError.lines();
    }
    EXPECT_EQ(*favourites, ChordList{recordWithId("000004")}); // it opened
    EXPECT_EQ(withTheName(written), std::vector<std::string>{"cifrario: selecionada: " + shown});
    EXPECT_FALSE(holdsEscapeByte(written));

    {
        testsupport::StandardErrorFile standardError;
        tablePlist->setCurrentRow(0);
        QTest::keyClick(tablePlist, Qt::Key_Delete);
        written = standardError.lines();
    }
    EXPECT_EQ(withTheName(written),
              std::vector<std::string>{"cifrario: selecionadaExcluir: " + shown});
    EXPECT_FALSE(holdsEscapeByte(written));
    QMessageBox* alert = platform::visibleAlert();
    ASSERT_NE(alert, nullptr);
    platform::pressAlertButton(alert, 1);
    EXPECT_FALSE(std::filesystem::exists(documents() / name)); // the very name is deleted
}

// A name the folder cannot take is refused beside the name field, with the
// reason; the next save that works clears it.
TEST_F(FavScreen, ARefusedNameSaysWhyBesideTheFieldUntilASaveWorks)
{
    auto screen = openScreen(std::make_shared<ChordList>(ChordList{recordWithId("000004")}));
    QLineEdit* const field = screen->outlet<QLineEdit>("nomeListaFav");
    auto* const message = screen->outlet<QLabel>("mensagemLista");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->parentWidget(), field->parentWidget());
    const auto save = [&](const std::string& name) {
        field->setText(QString::fromStdString(name));
        QTest::mouseClick(screen->outlet<QAbstractButton>("salvarListaFav"), Qt::LeftButton);
        return message->text().toStdString();
    };
    const std::pair<std::string, std::string> refused[] = {
        {"", "Digite um nome para a lista."},
        {".", "\".\" e \"..\" não servem de nome de lista."},
        {"..", "\".\" e \"..\" não servem de nome de lista."},
        {"rock/pop", "O nome não pode ter \"/\"."},
        {".Documents-save-x", "Nomes que começam com \".Documents-save-\" são reservados."},
        {std::string(256, 'x'), "Nome longo demais: use até 255 bytes."}};
    for (const auto& [name, reason] : refused) {
        platform::LogCapture log;
        EXPECT_EQ(save(name), reason) << name;
        EXPECT_EQ(log.lines().back(), "cont Plist: " + std::to_string(rows(*screen).size()))
            << name; // the save's log lines stay
        EXPECT_EQ(save("boa"), "") << "after " << name;
        EXPECT_TRUE(std::filesystem::exists(documents() / "boa"));
    }
    EXPECT_EQ(save(std::string(255, 'x')), "");
}

// A grid whose list could not be opened again is not saved: the reason shows
// beside the name field, and no file is written.
TEST_F(FavScreen, AListTooLargeToOpenAgainIsRefusedOnScreen)
{
    // Each identifier takes a line of 25 bytes: 170,000 of them pass 4 MiB.
    auto screen = openScreen(std::make_shared<ChordList>(170000, recordWithId("000004")));
    screen->outlet<QLineEdit>("nomeListaFav")->setText(QStringLiteral("enorme"));
    QTest::mouseClick(screen->outlet<QAbstractButton>("salvarListaFav"), Qt::LeftButton);
    EXPECT_EQ(screen->outlet<QLabel>("mensagemLista")->text(),
              "Lista grande demais: o arquivo passaria de 4 MiB.");
    EXPECT_FALSE(std::filesystem::exists(documents() / "enorme"));
    EXPECT_TRUE(rows(*screen).empty());
}

// A list that cannot be opened says why on the message line, in at most
// the line's two rows, and the favourites stay; an open that works clears it.
TEST_F(FavScreen, AListThatCannotBeOpenedSaysWhyOnTheMessageLine)
{
    std::filesystem::create_directories(documents() / "pasta");
    std::ofstream(documents() / "cortada") << "<plist version=\"1.0\"><array><string>001319";
    std::ofstream(documents() / "grande") << std::string(platform::maxPropertyListSize + 1, ' ');
    writeList("nomes", "Am");
    writeList("desconhecida", "000070");
    writeList("noves", "999999");
    writeList("boa", "001319");
    const ChordList before{recordWithId("000007")};
    auto favourites = std::make_shared<ChordList>(before);
    auto screen = openScreen(favourites);
    auto* const message = screen->outlet<QLabel>("mensagemLista");
    const auto open = [&](const std::string& name) {
        QTest::mouseClick(table(*screen)->viewport(), Qt::LeftButton, {},
                          rowCentre(*screen, rowOf(*screen, name)));
        return message->text().toStdString();
    };
    const std::pair<std::string, std::string> refused[] = {
        {"cortada", "O arquivo não é uma lista de favoritos: está danificado ou é de outro tipo."},
        {"nomes",
         "Nenhum item da lista é um identificador de acorde (como 001319); não foi aberta."},
        {"desconhecida", "Nenhum item da lista é um acorde do catálogo; não foi aberta."},
        {"noves", "Nenhum item da lista é um acorde do catálogo; não foi aberta."},
        {"grande", "A lista passa de 4 MiB; não foi aberta."},
        {"pasta", "A lista não pôde ser lida; não foi aberta."}};
    const platform::LogCapture log;
    for (const auto& [name, reason] : refused) {
        EXPECT_EQ(open(name), reason) << name;
        EXPECT_LE(message->heightForWidth(message->width()), 2 * message->fontMetrics().height())
            << name;
        EXPECT_EQ(*favourites, before) << name;
        EXPECT_EQ(open("boa"), "") << "after " << name;
        EXPECT_EQ(*favourites, ChordList{recordWithId("000004")});
        favourites->assign(before.begin(), before.end());
    }
}

// Showing or clearing a message under the name field moves nothing: the line
// keeps the room of two lines, whether empty, showing a refusal or any other
// message of up to two lines.
TEST_F(FavScreen, TheMessageLineKeepsItsRoomSoTheSaveButtonStaysPut)
{
    auto screen = openScreen(std::make_shared<ChordList>());
    QLineEdit* const field = screen->outlet<QLineEdit>("nomeListaFav");
    auto* const message = screen->outlet<QLabel>("mensagemLista");
    auto* const saveButton = screen->outlet<QAbstractButton>("salvarListaFav");
    const auto buttonAt = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return saveButton->geometry();
    };
    const auto savedAt = [&](const std::string& name) {
        field->setText(QString::fromStdString(name));
        QTest::mouseClick(saveButton, Qt::LeftButton);
        return buttonAt();
    };
    const QRect before = buttonAt();
    EXPECT_EQ(savedAt(""), before);
    ASSERT_FALSE(message->text().isEmpty());
    EXPECT_EQ(savedAt(std::string(256, 'x')), before);
    EXPECT_EQ(savedAt("boa"), before);
    ASSERT_TRUE(message->text().isEmpty());
    message->setText(QStringLiteral("A lista não pôde ser salva: falta espaço no disco para ela."));
    const int lines = message->heightForWidth(message->width()) / message->fontMetrics().height();
    ASSERT_EQ(lines, 2);
    EXPECT_EQ(buttonAt(), before);
}

// The saved-lists box and its rows are the dark grey of the main screen's
// tables (#18181b), not black.
TEST_F(FavScreen, TheSavedListsBoxIsTheDarkGreyOfTheOtherTables)
{
    writeList("a", "001319");
    auto screen = openScreen(std::make_shared<ChordList>());
    QListWidget* tablePlist = table(*screen);
    ASSERT_EQ(tablePlist->count(), 1);
    const QImage box = tablePlist->grab().toImage();
    const QRect row = tablePlist->visualItemRect(tablePlist->item(0));
    const QPoint inViewport = tablePlist->viewport()->mapTo(tablePlist, QPoint(0, 0));
    const QColor darkGrey(0x18, 0x18, 0x1b);
    // Past the name, at the row's right end; and below the last row.
    EXPECT_EQ(box.pixelColor(inViewport + QPoint(row.right() - 8, row.center().y())), darkGrey);
    EXPECT_EQ(box.pixelColor(inViewport + QPoint(row.center().x(), row.bottom() + 20)), darkGrey);
}

// The list opened by a click stays selected, so the Delete key asks about it.
TEST_F(FavScreen, TheOpenedListStaysSelectedForTheDeleteKey)
{
    writeList("a", "001319");
    writeList("b", "000059");
    auto screen = openScreen(std::make_shared<ChordList>());
    QListWidget* tablePlist = table(*screen);
    screen->view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen->view()));

    QTest::mouseClick(tablePlist->viewport(), Qt::LeftButton, {},
                      rowCentre(*screen, rowOf(*screen, "b")));
    ASSERT_EQ(screen->filteredTableData()->size(), 1u); // opened
    ASSERT_NE(tablePlist->currentItem(), nullptr);
    EXPECT_TRUE(tablePlist->currentItem()->isSelected());
    EXPECT_EQ(tablePlist->currentItem()->text(), "b");

    QTest::keyClick(tablePlist, Qt::Key_Delete);
    QMessageBox* alert = platform::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), "b");
    platform::pressAlertButton(alert, 1);
    EXPECT_FALSE(std::filesystem::exists(documents() / "b"));
    EXPECT_EQ(rows(*screen), std::vector<std::string>{"a"});
}

// A crowded Documents folder: the list table takes the listing in one batch
// and lays it out from one row's size, so a refresh (the start-up, run again
// by every tap on a list) does not grow with the entries. The figures in time
// are the favourites benchmark's.
TEST_F(FavScreen, ACrowdedFolderIsShownInOneBatchWithoutMeasuringEveryRow)
{
    constexpr int entries = 3000;
    for (int i = 0; i < entries; ++i)
        writeList("lista " + std::to_string(i), "001319");
    auto screen = openScreen(std::make_shared<ChordList>());
    QListWidget* const tablePlist = table(*screen);
    ASSERT_EQ(tablePlist->count(), entries);

    class CountingDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            ++measured;
            return QStyledItemDelegate::sizeHint(option, index);
        }
        mutable int measured = 0;
    };
    auto* const delegate = new CountingDelegate(tablePlist);
    tablePlist->setItemDelegate(delegate);
    int insertions = 0;
    QObject::connect(tablePlist->model(), &QAbstractItemModel::rowsInserted,
                     [&insertions] { ++insertions; });

    const int row = rowOf(*screen, "lista 2999");
    QTest::mouseClick(tablePlist->viewport(), Qt::LeftButton, {},
                      tablePlist->visualItemRect(tablePlist->item(0)).center());
    tablePlist->scrollToItem(tablePlist->item(row));
    QCoreApplication::processEvents();
    EXPECT_FALSE(screen->view()->grab().isNull());
    EXPECT_EQ(tablePlist->count(), entries);
    EXPECT_EQ(insertions, 1);
    EXPECT_LT(delegate->measured, 100);
    // Every row still spans the table, its name cut in the middle when long.
    EXPECT_EQ(tablePlist->visualItemRect(tablePlist->item(row)).width(),
              tablePlist->viewport()->width());
}

// Keyboard focus shows on every stop of the favourites screen, in the dark
// look.
TEST_F(FavScreen, EveryFocusStopShowsItsFocus)
{
    writeList("a", "001319");
    testsupport::DarkLook dark;
    auto screen = openScreen(std::make_shared<ChordList>(ChordList{recordWithId("000006")}));
    screen->view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen->view()));
    const testsupport::FocusStops round = testsupport::tabRound(screen->view());
    EXPECT_TRUE(round.comesRound);
    EXPECT_EQ(round.unseen, std::vector<std::string>{});
    for (const char* stop : {"collection", "tablePlist", "salvarListaFav"})
        EXPECT_NE(std::find(round.stops.begin(), round.stops.end(), stop), round.stops.end())
            << stop;
}

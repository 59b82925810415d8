// Every chord name the main screen shows is whole: each table's texts at the
// table's font in the place its rows give them, and the longest symbol in the
// chord label at the label's font.
#include "MainScreenFixture.h"
#include "finder/ChordFont.h"
#include "finder/TableViewCell.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>

#include <set>

namespace {

// The distinct chord symbols of the catalogue.
QStringList symbolsOf(const catalogue::ChordList& catalogue)
{
    std::set<std::string> seen;
    QStringList symbols;
    for (const auto& record : catalogue)
        if (seen.insert(record->Cifra).second)
            symbols.push_back(QString::fromStdString(record->Cifra));
    return symbols;
}

QStringList textsOf(const std::vector<std::string>& entries)
{
    QStringList texts;
    for (const std::string& entry : entries)
        texts.push_back(QString::fromStdString(entry));
    return texts;
}

// The texts wider than `room` pixels in `font`, each with its width.
std::vector<std::string> tooWide(const QStringList& texts, const QFont& font, int room)
{
    const QFontMetrics metrics(font);
    std::vector<std::string> cut;
    for (const QString& text : texts)
        if (const int width = metrics.horizontalAdvance(text); width > room)
            cut.push_back('"' + text.toStdString() + "\" " + std::to_string(width) + " px");
    return cut;
}

// The room a table's rows give their text, with the table's scroll bar shown.
int textRoom(finder::TableView* table)
{
    EXPECT_TRUE(table->verticalScrollBar()->isVisible()) << table->objectName().toStdString();
    const auto* cell = qobject_cast<finder::TableViewCell*>(table->itemDelegate());
    EXPECT_NE(cell, nullptr);
    const QRect row = table->visualRect(table->model()->index(0, 0));
    return cell ? cell->textRect(row.intersected(table->viewport()->rect())).width() : 0;
}

} // namespace

TEST_F(MainScreen, EveryChordNameShowsWholeInItsTableAndTheChordLabel)
{
    const QStringList symbols = symbolsOf(*finder().allTableData());
    ASSERT_EQ(symbols.size(), 1681);
    const QStringList roots = textsOf(finder().tonicas());
    const QStringList types = textsOf(finder().tipos());
    ASSERT_EQ(types.size(), 91);
    // Every symbol among the favourites, so the favourites table scrolls.
    std::string page;
    for (const QString& symbol : symbols)
        page += "<b>" + symbol.toStdString() + "</b>";
    finder().lerCifras(page);
    finder().favouritesReturned();
    screen->view()->show();
    QApplication::processEvents();

    const QFont tableFont = platform::fontWithName(finder::kChordFont, finder::kTableFontSize);
    const QFont smallFont = platform::fontWithName(finder::kChordFont, finder::kSmallTableFontSize);
    const struct {
        const char* table;
        const QStringList& texts;
        const QFont& font;
    } places[] = {{"tableViewTonica", roots, tableFont},
                  {"tableViewTipo", types, tableFont},
                  {"tableViewCifras", symbols, tableFont},
                  {"tableViewFotos", symbols, smallFont},
                  {"tableViewFav", symbols, smallFont}};
    for (const auto& place : places) {
        finder::TableView* shown = table(place.table);
        EXPECT_EQ(shown->model()->index(0, 0).data(Qt::FontRole).value<QFont>(), place.font)
            << place.table;
        EXPECT_EQ(tooWide(place.texts, place.font, textRoom(shown)), std::vector<std::string>{})
            << place.table << " gives " << textRoom(shown) << " px";
    }

    auto* label = named<QLabel>("labelCifra");
    EXPECT_EQ(label->font().pixelSize(), 40);
    EXPECT_EQ(tooWide(symbols, label->font(), label->contentsRect().width()),
              std::vector<std::string>{})
        << "labelCifra gives " << label->contentsRect().width() << " px";
}

// Choosing a row: a root or type row filters the chord list and counts it; a
// chord row shows, draws and sounds its chord. Every choice puts the
// keyboard away.
#include "catalogue/Vocabularies.h"
#include "finder/ChordFont.h"
#include "finder/ChordPhotos.h"
#include "finder/FirstViewController.h"
#include "platform/Fonts.h"

namespace finder {
namespace {

std::string textOf(const QLineEdit* field)
{
    return field ? field->text().toStdString() : std::string();
}

// Blanks and tabs off both ends; line breaks stay.
std::string trimmedOfBlanks(const std::string& text)
{
    const QString s = QString::fromStdString(text);
    const auto isBlank = [](QChar c) {
        return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
    };
    qsizetype first = 0, last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.mid(first, last - first).toStdString();
}

template <class List> bool holds(const List& list, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

} // namespace

void FirstViewController::tableViewDidSelectRow(TableView* tableView, int row)
{
    const bool rootRow = tableView && tableView == tableViewTonica;
    const bool typeRow = tableView && tableView == tableViewTipo;
    if (rootRow && holds(tonicas, row)) {
        if (tonicaText)
            tonicaText->setText(QString::fromStdString(tonicas[static_cast<std::size_t>(row)]));
    } else if (typeRow && holds(tipos, row)) {
        if (tipoText)
            tipoText->setText(QLatin1Char(' ') +
                              QString::fromStdString(tipos[static_cast<std::size_t>(row)]));
    } else if (tableView && (tableView == tableViewCifras || tableView == tableViewFotos)) {
        const auto* list = shownList();
        if (list && holds(*list, row))
            showChord((*list)[static_cast<std::size_t>(row)], row);
    }
    if ((rootRow && holds(tonicas, row)) || (typeRow && holds(tipos, row))) {
        const bool allRoots = trimmedOfBlanks(textOf(tonicaText)) == catalogue::kAnyRoot;
        const bool allTypes = textOf(tipoText) == catalogue::kAnyTypeField;
        if (allTypes)
            setFilterRoot(textOf(tonicaText));
        else if (allRoots)
            setFilterType(textOf(tipoText));
        else
            setFilterRootType(textOf(tonicaText), textOf(tipoText));
        setNChords("");
    }
    endEditing();
}

void FirstViewController::showChord(const catalogue::AcordeRef& record, int row)
{
    if (cifraImage) {
        const QImage photo = loadChordPhoto(record->Image, cifraImage->size());
        cifraImage->setPixmap(QPixmap::fromImage(photo));
    }
    if (tonicaText)
        tonicaText->setText(QString::fromStdString(record->Tonica));
    if (labelCifra) {
        labelCifra->setText(QString::fromStdString(record->Cifra));
        labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));
    }
    indexFav = row;
    chordOnDisplay = record;
    const bool marked = record->Fav == "*";
    if (FavoriteOnOff) {
        FavoriteOnOff->setImage(marked ? "icone-favorite-set.png" : "icone-favorite.png");
        FavoriteOnOff->setTag(marked ? 1 : 0);
    }
    if (labelFavorite)
        labelFavorite->setText(marked ? QStringLiteral("*") : QStringLiteral(" "));
    ClearNeck("*");
    const std::array<const std::string*, 6> frets = {&record->C1, &record->C2, &record->C3,
                                                     &record->C4, &record->C5, &record->C6};
    for (std::size_t s = 0; s < 6; ++s)
        if (cdr[s])
            cdr[s]->setText(QString::fromStdString(*frets[s]));
    setChordNeck(record->C1, record->C2, record->C3, record->C4, record->C5, record->C6);
}

void FirstViewController::tableViewSelect(QObject*)
{
    if (!tableViewCifras || tableViewCifras->numberOfRows() == 0)
        return;
    tableViewCifras->selectRow(0);
    tableViewDidSelectRow(tableViewCifras, 0);
}

} // namespace finder

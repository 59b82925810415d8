#pragma once
// The main screen's chord finder, without widgets: the catalogue list and the
// lists filtered from it, the favourites, the root and type texts, the chord
// on display with its favourite mark and six fret labels, and every operation
// of the screen on them. Views hear what changed through the signals and
// refresh themselves; nothing else tells them.
#include "catalogue/Acorde.h"
#include "catalogue/FretPattern.h"
#include "catalogue/Vocabularies.h"

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

namespace finder {

// The fret pattern of a record; one with a text that is no fret text plays
// nothing.
catalogue::FretPattern fretsOf(const catalogue::Acorde& record);

class ChordFinder : public QObject {
    Q_OBJECT
public:
    // The chord shown before any choice: the open C, root "C ".
    static const catalogue::FretPattern kOpenC;
    static constexpr const char* kStartRoot = "C ";

    ChordFinder();

    // Start-up: root "C ", type " *", a new empty filtered list and
    // favourites, no filter, the catalogue, and its first record (the open C)
    // on display with its labels.
    void start(catalogue::ChordListRef catalogue);

    const catalogue::ChordListRef& allTableData() const { return allTableData_; }
    const catalogue::ChordListRef& filteredTableData() const { return filteredTableData_; }
    const catalogue::ChordListRef& filteredTableDataType() const { return filteredTableDataType_; }
    const catalogue::ChordListRef& filteredFavorite() const { return filteredFavorite_; }
    // The list the chord tables show: filteredTableData while filtered, else
    // the catalogue.
    const catalogue::ChordListRef& shownList() const;
    // The root and type tables' rows: the catalogue's fixed vocabularies.
    const std::vector<std::string>& tonicas() const { return catalogue::tonicas(); }
    const std::vector<std::string>& tipos() const { return catalogue::tipos(); }
    bool isFiltered() const { return isFiltered_; }
    std::int32_t indexFav() const { return indexFav_; }
    const catalogue::AcordeRef& chordOnDisplay() const { return chordOnDisplay_; }
    const std::string& rootText() const { return rootText_; }
    const std::string& typeText() const { return typeText_; }
    const catalogue::FretPattern& fretLabels() const { return fretLabels_; }
    // The favourite switch: on once the chord on display is marked here or
    // was shown marked.
    bool favouriteOn() const { return favouriteOn_; }
    const std::string& favouriteCounter() const { return favouriteCounter_; }

    // A root, type or chord row of the tables; a row past the end does nothing.
    void selectRoot(int row);
    void selectType(int row);
    void selectChord(int row);

    // The filters. Each builds a new list from its source and makes it the
    // filtered list; no list in use changes in place.
    void setFilterRoot(const std::string& root);
    void setFilterType(const std::string& type);
    void setFilterRootType(const std::string& root, const std::string& type);
    // Narrows the filtered list to a category word ("Maior", "menor", "7",
    // "dim"), matched ignoring ASCII case.
    void setFilterCateg(const std::string& category);
    void setFilterFav();
    void searchBarTextDidChange(const std::string& text);
    // Keeps the records that fit the fret labels: a blank label takes any
    // fret on its string, any other exactly that fret.
    void setFilterChord();
    void setFretLabels(const catalogue::FretPattern& labels);
    // Counts the shown list for the count label.
    void setNChords();

    // Marks or un-marks the chord on display and adds it to (once) or takes
    // it out of the favourites; either way it is stamped with the next
    // counter value.
    void SetFavorite();
    void setFavouriteCounter(const std::string& text);
    // A new empty favourites list; the old one stays with whoever holds it.
    void ClearFavorites();
    // The favourites list came back from another screen, maybe refilled.
    void favouritesReturned();
    // Appends to the favourites every record that the page's bold names name
    // and that they do not hold yet. The favourites table shows them at its
    // next refresh.
    void lerCifras(const std::string& pageText);

Q_SIGNALS:
    void shownListChanged();
    void favouritesChanged();
    void countChanged(int count);
    void rootTextChanged();
    void typeTextChanged();
    // A chord row was chosen: the chord on display, its root, mark and fret
    // labels are new.
    void chordShown();
    void favouriteMarkChanged();

private:
    void setRootText(const std::string& text);
    void setTypeText(const std::string& text);
    void filterByRootAndType();
    void replaceFiltered(catalogue::ChordListRef list, bool filtered);

    catalogue::ChordListRef allTableData_;
    catalogue::ChordListRef filteredTableData_;
    catalogue::ChordListRef filteredTableDataType_;
    catalogue::ChordListRef filteredFavorite_;
    bool isFiltered_ = false;
    std::int32_t indexFav_ = 0;
    catalogue::AcordeRef chordOnDisplay_;
    std::string rootText_ = kStartRoot;
    std::string typeText_ = " *";
    catalogue::FretPattern fretLabels_ = kOpenC;
    bool favouriteOn_ = false;
    std::string favouriteCounter_;
};

} // namespace finder

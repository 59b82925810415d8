#pragma once
// Saved favourites lists: one file per list in the Documents folder, named as
// the user typed it, holding the chord-symbol identifiers (IDCifra) of the
// favourites in grid order as a property-list array of strings. Every entry of
// the folder counts as a saved list, but the temporary file of a save.
//
// Each operation the favourites screen offers is one call here, and writes the
// screen's log lines. A list name is always a plain entry name of the
// Documents folder: other names are refused with a log line, and nothing is
// written or removed for them.
#include "catalogue/Acorde.h"
#include "platform/Documents.h"

#include <string>
#include <vector>

namespace favourites {

// The records that a stored list of identifiers stands for. The catalogue is
// searched from a position that follows the last record found, wrapping round
// once: a symbol's first voicing in catalogue order answers its identifier,
// and an identifier that repeats the one before it takes the symbol's next
// voicing in turn (then the first again). Unknown identifiers are passed over.
// Logs "plistSelecionado: <identifier> - acordeID <IDCifra>" per record found.
catalogue::ChordList voicingsFor(const std::vector<std::string>& identifiers,
                                 const catalogue::ChordList& allTableData);

class SavedLists {
public:
    explicit SavedLists(platform::Documents documents = platform::Documents::standard());

    // The saved lists' names as the list table shows them, in the order the
    // file system gives them. Empty when the folder cannot be listed.
    std::vector<std::string> names() const;

    struct SaveResult {
        bool saved = false;
        // Not saved because the file would be larger than a list may be.
        bool tooLarge = false;
        std::vector<std::string> names; // the listing after the save
    };
    // Saves the identifiers of the favourites, in grid order, under the name.
    // `list` holds the identifiers of this screen's last save (empty after its
    // start-up) and is refilled with the ones saved. An existing list of that
    // name is replaced in one step; a failed save leaves it whole. Absent
    // favourites save an empty list. A list whose file would be larger than
    // the property-list size bound is refused before anything is written.
    SaveResult save(const std::string& name, const catalogue::ChordListRef& favourites,
                    std::vector<std::string>& list) const;

    // What an open came to: the list opened, or why it was not. Tests true
    // when it opened.
    struct OpenResult {
        enum class Refusal {
            None,
            NotRead,         // no file of that name could be read
            TooLarge,        // the file is larger than a list may be
            NotAList,        // not a property-list array: broken, or another kind of file
            NoIdentifier,    // entries, but none a chord identifier (chord names, say)
            NoCatalogueChord // identifiers among the entries, but none of a catalogue chord
        };
        Refusal refusal = Refusal::None;
        explicit operator bool() const { return refusal == Refusal::None; }
    };
    // Opens the list into the favourites: that very vector is emptied and
    // refilled with voicingsFor() of the stored identifiers, each record once
    // (where it first appears). A list that cannot be read, that is not a
    // property-list array, or whose entries are none of them an identifier
    // of the catalogue, leaves the favourites as they were and is logged;
    // entries of six digits are identifiers, whether the catalogue holds them
    // or not.
    OpenResult open(const std::string& name, const catalogue::ChordListRef& favourites,
                    const catalogue::ChordListRef& allTableData) const;

    // Removes the list's entry; a link is removed, not what it points to. An
    // entry already gone counts as removed.
    bool remove(const std::string& name) const;

    const platform::Documents& documents() const { return documents_; }

private:
    bool acceptsName(const std::string& name) const;

    platform::Documents documents_;
};

} // namespace favourites

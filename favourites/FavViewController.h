#pragma once
// The favourites screen: the main screen's favourites as a grid of chord
// photographs that sound when tapped, and the saved favourites lists of the
// Documents folder: a table of them, saving the grid under a typed name,
// opening a list into the shared favourites and deleting one after asking.
//
// Its start-up (list the Documents folder, show the listing, load the sample
// bank) also serves as its refresh after an open or a deletion; the refresh
// runs those steps again on the widgets the view already has.
#include "favourites/GridScreen.h"
#include "favourites/SavedLists.h"

#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace favourites {

class FavViewController : public GridScreen {
    Q_OBJECT
public:
    explicit FavViewController(
        std::shared_ptr<platform::AudioEngine> engine = platform::AudioEngine::shared());
    ~FavViewController() override;

    // Finds the controls, wires them, then runs the start-up.
    void viewDidLoad() override;
    // The start-up: a new empty list, the Documents listing shown in the list
    // table, the sample bank loaded. Also the screen's refresh.
    void startUp();

    // Back to the main screen.
    void retornarFirstView();
    // Saves the grid's identifiers under the name typed in nomeListaFav.
    void salvarListaFav();

    // The list table: a tap opens the row's list into the favourites; a
    // delete request asks for confirmation, whose answer (0 "Cancelar",
    // 1 "Deletar") removes the list.
    void tableDidSelectRow(int row);
    void tableCommitDeleteRow(int row);
    void alertClickedButtonAtIndex(int buttonIndex);

    // The name a list-table row shows, byte for byte; nothing past the end.
    std::optional<std::string> listNameAt(int row) const;

    // ---- State -------------------------------------------------------------
    std::vector<std::string> list; // identifiers of the last save
    bool carrega = true;           // the table shows PlistSalva (true) or Plist
    std::filesystem::path documentsDirectory;
    std::vector<std::string> PlistSalva; // Documents listing at the last start-up
    std::vector<std::string> Plist;      // Documents listing after the last save
    std::optional<std::string> removeSelecionado;

    // ---- Outlets -----------------------------------------------------------
    QPointer<QListView> collection;
    QPointer<QListWidget> tablePlist;
    QPointer<QLineEdit> nomeListaFav;

private:
    void reloadListTable();
    void bindListTable();

    SavedLists savedLists_;
};

} // namespace favourites

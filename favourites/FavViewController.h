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

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class FavViewController;
}

namespace favourites {

class FavViewController : public GridScreen {
    Q_OBJECT
public:
    explicit FavViewController(
        std::shared_ptr<platform::AudioEngine> engine = platform::AudioEngine::shared());
    ~FavViewController() override;

    void viewDidLoad() override;
    // The start-up: a new empty list, the Documents listing shown in the list
    // table, the sample bank loaded. Also the screen's refresh.
    void startUp();

    // Back to the main screen.
    void retornarFirstView();
    // Saves the grid's identifiers under the name typed in nomeListaFav.
    void salvarListaFav();

    // The list table: a tap opens the row's list into the favourites, or
    // says on the message line why it cannot; a delete request asks for
    // confirmation, whose answer (0 "Cancelar", 1 "Deletar") removes the list.
    void tableDidSelectRow(int row);
    void tableCommitDeleteRow(int row);
    void alertClickedButtonAtIndex(int buttonIndex);

    // The name a list-table row shows, byte for byte; nothing past the end.
    std::optional<std::string> listNameAt(int row) const;

    // The identifiers of the last save; whether the table shows the listing
    // of the last start-up (PlistSalva) rather than that of the last save
    // (Plist); the list a deletion asks about.
    const std::vector<std::string>& list() const { return list_; }
    bool carrega() const { return carrega_; }
    const std::optional<std::string>& removeSelecionado() const { return removeSelecionado_; }

protected:
    QWidget* loadView() override;
    // The Delete key on the list table.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The listing the list table shows: the last start-up's or the last save's.
    const std::vector<std::string>& shownNames() const;
    void reloadListTable();
    void bindListTable();

    std::unique_ptr<Ui::FavViewController> ui_;
    std::vector<std::string> list_;
    bool carrega_ = true;
    std::vector<std::string> PlistSalva_;
    std::vector<std::string> Plist_;
    std::optional<std::string> removeSelecionado_;
    SavedLists savedLists_;
};

} // namespace favourites

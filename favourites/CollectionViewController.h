#pragma once
// The chord grid screen: the chord list handed over by the main screen shown
// as a grid of chord photographs, a tapped chord sounding on the screen's own
// sample bank. No saved lists and nothing passed back; the catalogue list it
// is handed is held, never read.
#include "favourites/GridScreen.h"

#include <memory>

namespace Ui {
class CollectionViewController;
}

namespace favourites {

class CollectionViewController : public GridScreen {
    Q_OBJECT
public:
    explicit CollectionViewController(
        std::shared_ptr<platform::AudioEngine> engine = platform::AudioEngine::shared());
    ~CollectionViewController() override;

    // Loads the screen's own sample bank.
    void viewDidLoad() override;

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::CollectionViewController> ui_;
};

} // namespace favourites

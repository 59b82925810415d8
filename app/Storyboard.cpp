#include "app/Storyboard.h"

#include "app/SecondViewController.h"
#include "favourites/CollectionViewController.h"
#include "favourites/FavViewController.h"
#include "finder/FirstViewController.h"

namespace app {

platform::ViewControllerRef makeMainStoryboard()
{
    // The import's text boxes keep to their budget of layout time by the
    // real clock.
    auto main = std::make_shared<finder::FirstViewController>(
        std::make_unique<platform::CurlPageFetcher>(), platform::LayoutBudget::realTime());
    main->registerSegue("segueSobre",
                        [](QObject*) { return std::make_shared<SecondViewController>(); });
    // The favourites open from two controls: the grid button leads to the
    // chord grid screen, the favourites button to the favourites screen.
    main->registerSegue("segueFavoritos", [](QObject* sender) -> platform::ViewControllerRef {
        if (sender && sender->objectName() == QLatin1String("buttonGrade"))
            return std::make_shared<favourites::CollectionViewController>();
        return std::make_shared<favourites::FavViewController>();
    });
    return main;
}

} // namespace app

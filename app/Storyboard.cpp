#include "app/Storyboard.h"

#include "app/SecondViewController.h"
#include "finder/FirstViewController.h"

namespace app {

platform::ViewControllerRef makeMainStoryboard()
{
    auto main = std::make_shared<finder::FirstViewController>();
    main->registerSegue("segueSobre",
                        [](QObject*) { return std::make_shared<SecondViewController>(); });
    return main;
}

} // namespace app

#pragma once
// The program's storyboard: the window's root controller and the segues
// between the screens.
#include "platform/ViewController.h"

namespace app {

platform::ViewControllerRef makeMainStoryboard();

} // namespace app

// The process entry: starts the application with AppDelegate as its delegate
// and the main storyboard's screens.
#include "app/AppDelegate.h"
#include "app/Storyboard.h"

int main(int argc, char** argv)
{
    return platform::applicationMain(
        argc, argv, [] { return std::make_unique<app::AppDelegate>(); }, app::makeMainStoryboard);
}

#include "finder/FirstViewController.h"

#include "fretboard/FretboardView.h"

#include <QAbstractButton>

namespace finder {

FirstViewController::FirstViewController() : platform::ViewController("FirstViewController")
{
    fretboard::registerFretboardWidgets();
}

FirstViewController::~FirstViewController() = default;

void FirstViewController::viewDidLoad()
{
    bindFretboardOutlets();
    platform::ViewController::viewDidLoad();
    if (auto* about = outlet<QAbstractButton>("buttonSobre"))
        connect(about, &QAbstractButton::clicked, this,
                [this, about] { performSegue("segueSobre", about); });
}

} // namespace finder

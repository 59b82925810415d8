#pragma once
// The main screen: the chord finder.
#include "platform/ViewController.h"

namespace finder {

class FirstViewController : public platform::ViewController {
    Q_OBJECT
public:
    FirstViewController();
    ~FirstViewController() override;

    void viewDidLoad() override;

    // Rebuilds the screen's bank of 96 note players.
    virtual void LoadAudioSessions();
};

} // namespace finder

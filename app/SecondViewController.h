#pragma once
// The about screen: fixed texts from its layout and two link buttons that do
// nothing. A close button or Escape returns to the main screen.
#include "platform/ViewController.h"

#include <memory>

namespace Ui {
class SecondViewController;
}

namespace app {

class SecondViewController : public platform::ViewController {
    Q_OBJECT
public:
    SecondViewController();
    ~SecondViewController() override;

    void linkVelmora();
    void linkApps();

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::SecondViewController> ui_;
};

} // namespace app

#include "app/SecondViewController.h"

#include "ui_SecondViewController.h"

namespace app {

SecondViewController::SecondViewController() : ui_(std::make_unique<Ui::SecondViewController>()) {}

SecondViewController::~SecondViewController() = default;

QWidget* SecondViewController::loadView()
{
    auto* view = new QWidget;
    ui_->setupUi(view);
    connect(ui_->buttonVelmora, &QAbstractButton::clicked, this, [this] { linkVelmora(); });
    connect(ui_->buttonApps, &QAbstractButton::clicked, this, [this] { linkApps(); });
    connect(ui_->buttonFechar, &QAbstractButton::clicked, this,
            [this] { dismissViewController(); });
    return view;
}

void SecondViewController::linkVelmora() {}

void SecondViewController::linkApps() {}

} // namespace app

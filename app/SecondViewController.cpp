#include "app/SecondViewController.h"

#include <QAbstractButton>

namespace app {

SecondViewController::SecondViewController() : platform::ViewController("SecondViewController") {}

void SecondViewController::viewDidLoad()
{
    platform::ViewController::viewDidLoad();
    // The layout connects the outlets by object name; any may be missing.
    label_desenvolvedor = outlet<QLabel>("label_desenvolvedor");
    label_dicionario = outlet<QLabel>("label_dicionario");
    label_musico = outlet<QLabel>("label_musico");
    label_textoapps = outlet<QLabel>("label_textoapps");
    texto_desenvolvedor = outlet<QTextEdit>("texto_desenvolvedor");
    texto_dicionario = outlet<QTextEdit>("texto_dicionario");
    texto_musico = outlet<QTextEdit>("texto_musico");

    if (auto* b = outlet<QAbstractButton>("buttonVelmora"))
        connect(b, &QAbstractButton::clicked, this, [this] { linkVelmora(); });
    if (auto* b = outlet<QAbstractButton>("buttonApps"))
        connect(b, &QAbstractButton::clicked, this, [this] { linkApps(); });
    if (auto* b = outlet<QAbstractButton>("buttonFechar"))
        connect(b, &QAbstractButton::clicked, this, [this] { dismissViewController(); });
}

void SecondViewController::linkVelmora() {}

void SecondViewController::linkApps() {}

} // namespace app

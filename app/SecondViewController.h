#pragma once
// The about screen: fixed texts from its layout and two link buttons that do
// nothing. A close button or Escape returns to the main screen.
#include "platform/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QTextEdit>

namespace app {

class SecondViewController : public platform::ViewController {
    Q_OBJECT
public:
    SecondViewController();
    void viewDidLoad() override;

    void linkVelmora();
    void linkApps();

    QPointer<QLabel> label_desenvolvedor;
    QPointer<QLabel> label_dicionario;
    QPointer<QLabel> label_musico;
    QPointer<QLabel> label_textoapps;
    QPointer<QTextEdit> texto_desenvolvedor;
    QPointer<QTextEdit> texto_dicionario;
    QPointer<QTextEdit> texto_musico;
};

} // namespace app

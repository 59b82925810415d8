#include "finder/InstructionsOverlay.h"

#include "platform/Images.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>

namespace finder {

InstructionsOverlay::InstructionsOverlay(QWidget* screen, QList<Picture> pictures)
    : QWidget(screen), pictures_(std::move(pictures))
{
    for (const Picture& picture : pictures_)
        parts_.append(picture.label);
    for (QLabel* note :
         screen->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^label_instr\\d+$"))))
        parts_.append(note);
    setObjectName(QStringLiteral("coberturaInstruc"));
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void InstructionsOverlay::toggle()
{
    for (const Picture& picture : pictures_)
        picture.label->setPixmap(platform::pixmapNamed(picture.imageName));
    pictures_.clear();
    bool shown = false;
    for (QWidget* part : parts_) {
        part->setHidden(!part->isHidden());
        shown = shown || !part->isHidden();
    }
    if (!shown) {
        hide();
        return;
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void InstructionsOverlay::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    toggle();
}

void InstructionsOverlay::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    toggle();
}

} // namespace finder

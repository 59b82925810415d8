#include "finder/InstructionsOverlay.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace finder {

InstructionsOverlay::InstructionsOverlay(QWidget* screen, QList<QWidget*> parts)
    : QWidget(screen), parts_(std::move(parts))
{
    setObjectName(QStringLiteral("coberturaInstruc"));
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void InstructionsOverlay::toggle()
{
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

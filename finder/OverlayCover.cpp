#include "finder/OverlayCover.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace finder {

OverlayCover::OverlayCover(QWidget* screen) : QWidget(screen)
{
    setObjectName(QStringLiteral("coberturaInstruc"));
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void OverlayCover::cover()
{
    setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void OverlayCover::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT closeRequested();
}

void OverlayCover::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Q_EMIT closeRequested();
}

} // namespace finder

#include "platform/Alert.h"

#include "platform/Window.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>

namespace platform {
namespace {
QPointer<QMessageBox>& lastAlert()
{
    static QPointer<QMessageBox> alert;
    return alert;
}

// The alert's buttons in index order.
QList<QAbstractButton*> buttonsInOrder(QMessageBox* alert)
{
    QList<QAbstractButton*> ordered;
    for (QObject* o : alert->property("orderedButtons").value<QObjectList>())
        ordered.append(static_cast<QAbstractButton*>(o));
    return ordered;
}
} // namespace

QMessageBox* showAlert(QWidget* parent, const std::string& title, const std::string& message,
                       const std::string& cancelButton,
                       const std::vector<std::string>& otherButtons, QObject* context,
                       std::function<void(int buttonIndex)> clicked)
{
    QWidget* over = hostWindow(parent);
    auto* alert = new QMessageBox(over);
    // A dialog window does not take its parent window's colours by itself.
    if (over)
        alert->setPalette(over->palette());
    alert->setObjectName(QStringLiteral("alert"));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setIcon(QMessageBox::NoIcon);
    // The question stands in bold at the top of the alert; the window is
    // titled by the application alone, which the window manager shows as it
    // is, not followed by " — Cifrário", and which fits in the title bar of
    // even a narrow alert, where a question would be cut.
    alert->setWindowTitle(QGuiApplication::applicationDisplayName());
    alert->setText(QStringLiteral("<b>%1</b>").arg(QString::fromStdString(title).toHtmlEscaped()));
    alert->setInformativeText(QString::fromStdString(message).toHtmlEscaped());
    alert->setTextFormat(Qt::RichText);

    QObjectList ordered;
    QPushButton* cancel =
        alert->addButton(QString::fromStdString(cancelButton), QMessageBox::RejectRole);
    ordered.append(cancel);
    for (const std::string& text : otherButtons)
        ordered.append(alert->addButton(QString::fromStdString(text), QMessageBox::AcceptRole));
    alert->setProperty("orderedButtons", QVariant::fromValue(ordered));
    alert->setEscapeButton(cancel);
    alert->setDefaultButton(cancel);

    QObject::connect(alert, &QMessageBox::buttonClicked, context ? context : alert,
                     [alert, clicked = std::move(clicked)](QAbstractButton* button) {
                         const int index = static_cast<int>(buttonsInOrder(alert).indexOf(button));
                         if (clicked)
                             clicked(index < 0 ? 0 : index);
                     });
    lastAlert() = alert;
    alert->open();
    return alert;
}

QMessageBox* visibleAlert()
{
    QMessageBox* alert = lastAlert().data();
    return alert && alert->isVisible() ? alert : nullptr;
}

void pressAlertButton(QMessageBox* alert, int buttonIndex)
{
    if (!alert)
        return;
    const auto buttons = buttonsInOrder(alert);
    if (buttonIndex >= 0 && buttonIndex < buttons.size())
        buttons[buttonIndex]->click();
}

} // namespace platform

#pragma once
// Alerts: a modal question over a screen, with a title, a message, a cancel
// button and further buttons. Showing one returns at once; the answer comes on
// a later turn, to a callback given the index of the pressed button: 0 for the
// cancel button, then 1, 2 ... for the others in order. Escape, or closing the
// alert, answers as the cancel button. The title heads the alert's text; its
// window is titled by the application's name. Main thread only.
#include <QMessageBox>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Shows the alert over parent's window, which takes no other input until it is
// answered. The answer goes to clicked, unless context is gone by then. The
// alert deletes itself once answered.
QMessageBox* showAlert(QWidget* parent, const std::string& title, const std::string& message,
                       const std::string& cancelButton,
                       const std::vector<std::string>& otherButtons, QObject* context,
                       std::function<void(int buttonIndex)> clicked);

// The alert shown last, while it waits for its answer; nothing otherwise.
QMessageBox* visibleAlert();

// Presses the button with that index of the alert, as the user would.
void pressAlertButton(QMessageBox* alert, int buttonIndex);

} // namespace platform

#pragma once
// Screens are laid out in Qt Designer files ("<name>.ui") in the bundle. A
// control's object name is its outlet name. Custom widget classes named in a
// layout are made by factories registered here.
#include <QWidget>
#include <functional>
#include <string>

namespace platform {

using WidgetFactory = std::function<QWidget*(QWidget* parent)>;

// Makes widgets of `className` when a layout names it. platform's own classes
// ("platform::Button", "platform::ActivityIndicator") are registered already.
void registerWidgetClass(const std::string& className, WidgetFactory factory);

// Loads the layout "<name>.ui" from the main bundle; nullptr (and a log line)
// when it is missing or cannot be read.
QWidget* loadLayout(const std::string& name, QWidget* parent = nullptr);

} // namespace platform

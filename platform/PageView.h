#pragma once
// The view of an imported web page. It loads nothing the page names: no
// image, style sheet or file, local or remote, not even data the page holds
// in an address; and it shows a copy of the page made safe to lay out (see
// pageToShow), so that no page within the fetch bound holds the screen for
// long.
#include "platform/PageMarkup.h"

#include <QTextBrowser>

#include <string_view>

namespace platform {

class PageView : public QTextBrowser {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    // Shows the page: its safe markup, or its text when it has too many
    // elements to lay out quickly. Main thread.
    void showPage(std::string_view html);

    // Every resource is empty, whatever it names.
    QVariant loadResource(int type, const QUrl& name) override;
};

} // namespace platform

#pragma once
// The view of an imported web page. It shows markup written from the page's
// parse tree (see pageToShow), which names nothing to load and lays out
// quickly, within a budget of layout time; and whatever the document asks
// for still gets a blank answer of its own, never a file, local or remote,
// nor data an address holds.
#include "platform/LayoutBudget.h"
#include "platform/page/PageMarkup.h"

#include <QTextBrowser>

#include <string_view>

namespace platform {

class PageView : public QTextBrowser {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    // Shows the page as pageToShow writes it, read on this thread. Main
    // thread.
    void showPage(std::string_view html) { showPage(pageToShow(html)); }
    // Shows the page as written (its safe markup, or its text when it has
    // too many elements to lay out quickly), in a document of its own that
    // starts in the view's font, its long blocks split, cut past the layout
    // budget with the cut mark and a line saying so. Main thread.
    void showPage(const ShownPage& page);

    // The budget of layout time for the pages shown from now on.
    void setLayoutBudget(LayoutBudget budget) { budget_ = std::move(budget); }
    const LayoutBudget& layoutBudget() const { return budget_; }
    // What showing the last content did, and the time it took by the
    // budget's clock.
    const ShownContent& lastShown() const { return lastShown_; }

    // Every resource is blank, whatever it names: a transparent pixel for an
    // image, empty bytes for anything else.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    LayoutBudget budget_;
    ShownContent lastShown_;
};

} // namespace platform

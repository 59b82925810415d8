#include "platform/PageView.h"

#include <QByteArray>

namespace platform {

PageView::PageView(QWidget* parent) : QTextBrowser(parent)
{
    // A link followed would replace the page with whatever it names.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void PageView::showPage(std::string_view html)
{
    const ShownPage page = pageToShow(html);
    const QString content =
        QString::fromUtf8(page.content.data(), static_cast<qsizetype>(page.content.size()));
    if (page.isText)
        setPlainText(content);
    else
        setHtml(content);
}

QVariant PageView::loadResource(int, const QUrl&)
{
    // An empty resource, not a null one: given null, the document would go on
    // to open local files and decode data addresses itself.
    return QVariant(QByteArray());
}

} // namespace platform

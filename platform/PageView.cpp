#include "platform/PageView.h"

#include <QByteArray>
#include <QImage>

namespace platform {

PageView::PageView(QWidget* parent) : QTextBrowser(parent)
{
    // A link followed would replace the page with whatever it names.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void PageView::showPage(const ShownPage& page)
{
    const QString content =
        QString::fromUtf8(page.content.data(), static_cast<qsizetype>(page.content.size()));
    lastShown_ =
        showWithinBudget(*this, content, page.isText ? BoxContent::Text : BoxContent::Markup,
                         budget_, {kCutMark, kLayoutCutLine});
}

QVariant PageView::loadResource(int type, const QUrl&)
{
    // A valid answer of the kind asked for. Given an answer that does not
    // decode as an image, the document would go on to open the image's path
    // itself: a FIFO there would block it for good.
    if (type == QTextDocument::ImageResource) {
        static const QImage blank = [] {
            QImage image(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            return image;
        }();
        return blank;
    }
    return QByteArray();
}

} // namespace platform

#include "finder/TableView.h"

#include <QKeyEvent>

namespace finder {

TableView::TableView(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Rows are as wide as the viewport, also once the scroll bar takes its
    // place, so a row's text is cut by its own ellipsis, never by the edge.
    setResizeMode(QListView::Adjust);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT didSelectRow(index.row()); });
}

int TableView::numberOfRows() const
{
    return model() ? model()->rowCount() : 0;
}

void TableView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
    setAutoScroll(scrolls);
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        Q_EMIT didSelectRow(after.row());
}

} // namespace finder

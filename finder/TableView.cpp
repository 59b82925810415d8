#include "finder/TableView.h"

#include "finder/TableModels.h"

#include <QKeyEvent>

namespace finder {

TableView::TableView(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT didSelectRow(index.row()); });
}

void TableView::setTableModel(TableModel* model)
{
    model_ = model;
    setModel(model);
}

void TableView::reloadData()
{
    if (model_)
        model_->reload();
}

int TableView::numberOfRows() const
{
    return model_ ? model_->rowCount() : 0;
}

void TableView::selectRow(int row)
{
    if (!model_ || row < 0 || row >= model_->rowCount())
        return;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
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

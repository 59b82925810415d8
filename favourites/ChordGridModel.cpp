#include "favourites/ChordGridModel.h"

namespace favourites {

ChordGridModel::ChordGridModel(QObject* parent) : QAbstractListModel(parent) {}

void ChordGridModel::setList(catalogue::ChordListRef list)
{
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

void ChordGridModel::reloadData()
{
    beginResetModel();
    endResetModel();
}

catalogue::AcordeRef ChordGridModel::recordAt(int row) const
{
    if (!list_ || row < 0 || static_cast<std::size_t>(row) >= list_->size())
        return nullptr;
    return (*list_)[static_cast<std::size_t>(row)];
}

int ChordGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !list_)
        return 0;
    return static_cast<int>(list_->size());
}

QVariant ChordGridModel::data(const QModelIndex& index, int role) const
{
    const catalogue::AcordeRef record = recordAt(index.row());
    if (!index.isValid() || !record)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(record->Cifra);
    case PhotoStemRole:
        return QString::fromStdString(record->Image);
    default:
        return {};
    }
}

} // namespace favourites

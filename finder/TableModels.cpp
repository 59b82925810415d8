#include "finder/TableModels.h"

namespace finder {

TableModel::TableModel(QFont font, QObject* parent)
    : QAbstractListModel(parent), font_(std::move(font))
{
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

void TableModel::reload()
{
    beginResetModel();
    count_ = liveCount();
    endResetModel();
}

TextListModel::TextListModel(Source source, QFont font, QObject* parent)
    : TableModel(std::move(font), parent), source_(std::move(source))
{
}

int TextListModel::liveCount() const
{
    const auto* list = source_();
    return list ? static_cast<int>(list->size()) : 0;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const
{
    const auto* list = source_();
    if (!list || index.row() < 0 || static_cast<std::size_t>(index.row()) >= list->size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString((*list)[static_cast<std::size_t>(index.row())]);
    case Qt::FontRole:
        return font_;
    default:
        return {};
    }
}

ChordListModel::ChordListModel(Source source, QFont font, QObject* parent)
    : TableModel(std::move(font), parent), source_(std::move(source))
{
}

int ChordListModel::liveCount() const
{
    const auto* list = source_();
    return list ? static_cast<int>(list->size()) : 0;
}

catalogue::AcordeRef ChordListModel::record(int row) const
{
    const auto* list = source_();
    if (!list || row < 0 || static_cast<std::size_t>(row) >= list->size())
        return nullptr;
    return (*list)[static_cast<std::size_t>(row)];
}

QVariant ChordListModel::data(const QModelIndex& index, int role) const
{
    const catalogue::AcordeRef chord = record(index.row());
    if (!chord)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(chord->Cifra);
    case Qt::FontRole:
        return font_;
    case ImageStemRole:
        return QString::fromStdString(chord->Image);
    default:
        return {};
    }
}

} // namespace finder

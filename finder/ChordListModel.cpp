#include "finder/ChordListModel.h"

namespace finder {

ChordListModel::ChordListModel(QObject* parent, const QFont& font)
    : QAbstractListModel(parent), font_(font), hasFont_(font_ != QFont())
{
}

void ChordListModel::setList(catalogue::ChordListRef list)
{
    list_ = std::move(list);
    reload();
}

void ChordListModel::reload()
{
    beginResetModel();
    count_ = list_ ? static_cast<int>(list_->size()) : 0;
    endResetModel();
}

catalogue::AcordeRef ChordListModel::recordAt(int row) const
{
    if (!list_ || row < 0 || static_cast<std::size_t>(row) >= list_->size())
        return nullptr;
    return (*list_)[static_cast<std::size_t>(row)];
}

int ChordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

QVariant ChordListModel::data(const QModelIndex& index, int role) const
{
    const catalogue::AcordeRef record = recordAt(index.row());
    if (!index.isValid() || !record)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(record->Cifra);
    case Qt::FontRole:
        return hasFont_ ? QVariant(font_) : QVariant();
    case ImageStemRole:
        return QString::fromStdString(record->Image);
    default:
        return {};
    }
}

TextListModel::TextListModel(const std::vector<std::string>& texts, const QFont& font,
                             QObject* parent)
    : QAbstractListModel(parent), font_(font)
{
    for (const std::string& text : texts)
        texts_.push_back(QString::fromStdString(text));
}

int TextListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= texts_.size())
        return {};
    if (role == Qt::DisplayRole)
        return texts_[index.row()];
    if (role == Qt::FontRole)
        return font_;
    return {};
}

} // namespace finder

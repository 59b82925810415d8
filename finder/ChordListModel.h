#pragma once
// The item model of every table and grid of chord records: one row per entry
// of a shared chord list, in list order. It holds the list itself, never the
// screen that hands it over, so a view may paint after its screen is gone.
// The row count is taken when the list is set or reloaded; a row past the end
// of a list that has shrunk since shows as an empty cell.
#include "catalogue/Acorde.h"

#include <QAbstractListModel>
#include <QFont>
#include <QStringList>

namespace finder {

class ChordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The photograph stem ("DS1_0019") of a record, for the photo cells.
    static constexpr int ImageStemRole = Qt::UserRole + 1;

    // Rows shown in `font` (FontRole); a default font gives no FontRole.
    explicit ChordListModel(QObject* parent = nullptr, const QFont& font = {});

    // Shows that list (none counts as empty) and has the views ask again.
    void setList(catalogue::ChordListRef list);
    const catalogue::ChordListRef& list() const { return list_; }
    // Takes the list's count afresh and has the views ask again.
    void reload();

    // The record of a row; nothing past the end of the list as it is now.
    catalogue::AcordeRef recordAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    // Display: the chord symbol; FontRole: the font; ImageStemRole: the stem.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    catalogue::ChordListRef list_;
    QFont font_;
    bool hasFont_;
    int count_ = 0;
};

// Rows of texts shown as they are stored, blanks included (roots, types).
class TextListModel : public QAbstractListModel {
    Q_OBJECT
public:
    TextListModel(const std::vector<std::string>& texts, const QFont& font,
                  QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList texts_;
    QFont font_;
};

} // namespace finder

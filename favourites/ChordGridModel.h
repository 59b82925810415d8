#pragma once
// The item model of a chord photo grid: one item per entry of the screen's
// chord list, in list order, read from the list whenever the view asks. The
// list is the screen's own shared list object, never a copy.
#include "catalogue/Acorde.h"

#include <QAbstractListModel>

namespace favourites {

class ChordGridModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        // The record's photograph stem, "DS1_0019" (QString).
        PhotoStemRole = Qt::UserRole + 1,
    };

    explicit ChordGridModel(QObject* parent = nullptr);

    // Shows that list (none counts as empty) and has the view ask again.
    void setList(catalogue::ChordListRef list);
    const catalogue::ChordListRef& list() const { return list_; }
    // Has the view ask again for the count and every item.
    void reloadData();

    // The record of item row; nothing past the end of the list as it is now,
    // which a view that has not been reloaded after the list shrank may ask.
    catalogue::AcordeRef recordAt(int row) const;

    // The number of entries in the list at the time of the call.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display: the chord symbol (Cifra); PhotoStemRole: the photograph stem.
    // Nothing for an item past the end.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    catalogue::ChordListRef list_;
};

} // namespace favourites

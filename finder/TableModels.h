#pragma once
// Item models over the main screen's lists. Each reads its list anew at every
// question through a function that names it, so a model follows whichever list
// object the screen holds now. The row count is taken when the table reloads,
// as a table asks for it; a row past the end of a list that has since shrunk
// shows as an empty cell.
#include "catalogue/Acorde.h"

#include <QAbstractListModel>
#include <QFont>
#include <functional>
#include <string>
#include <vector>

namespace finder {

class TableModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The photograph stem ("DS1_0019") of a chord row, for the photo cells.
    static constexpr int ImageStemRole = Qt::UserRole + 1;

    explicit TableModel(QFont font, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    // Takes the list's count afresh and tells the views to ask again.
    void reload();

protected:
    virtual int liveCount() const = 0;
    QFont font_;

private:
    int count_ = 0;
};

// Rows of texts shown as they are stored, blanks included (roots, types).
class TextListModel final : public TableModel {
    Q_OBJECT
public:
    using Source = std::function<const std::vector<std::string>*()>;
    TextListModel(Source source, QFont font, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    int liveCount() const override;

private:
    Source source_;
};

// Rows of chord records: the symbol as the text, the photograph stem for the
// photo cells.
class ChordListModel final : public TableModel {
    Q_OBJECT
public:
    using Source = std::function<const catalogue::ChordList*()>;
    ChordListModel(Source source, QFont font, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;
    // The record of a row; null past the end of the list.
    catalogue::AcordeRef record(int row) const;

protected:
    int liveCount() const override;

private:
    Source source_;
};

} // namespace finder

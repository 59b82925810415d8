#pragma once
// The main screen's tables: one column of rows of equal height over a
// TableModel. A row chosen by the user (a click, or moving through the rows
// with the keyboard) is reported once through didSelectRow; rows selected
// from code are not reported.
#include <QListView>

namespace finder {

class TableModel;

class TableView : public QListView {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);

    // The table's model; the view does not own it.
    void setTableModel(TableModel* model);
    TableModel* tableModel() const { return model_; }

    // Asks the model for its rows afresh.
    void reloadData();
    // The row count taken at the last reload.
    int numberOfRows() const;
    // Selects a row without reporting it and without scrolling.
    void selectRow(int row);

Q_SIGNALS:
    void didSelectRow(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TableModel* model_ = nullptr;
};

} // namespace finder

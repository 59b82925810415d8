#pragma once
// The main screen's tables: one column of rows of equal height. A row chosen
// by the user (a click, or moving through the rows with the keyboard) is
// reported once through didSelectRow; rows selected from code are not
// reported.
#include <QListView>

namespace finder {

class TableView : public QListView {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);

    // The number of rows the model gave at its last reset.
    int numberOfRows() const;
    // Selects a row without reporting it and without scrolling.
    void selectRow(int row);

Q_SIGNALS:
    void didSelectRow(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace finder

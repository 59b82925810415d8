// The yardstick for the program's start: a bare Qt window holding one table
// view over 5,000 rows, shown at the program's window size and left idle.
// Built with the same flags as the program (see CMakeLists.txt).
#include <QAbstractTableModel>
#include <QApplication>
#include <QScreen>
#include <QTableView>

namespace {

class Rows : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5000; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return QStringLiteral("Linha %1, coluna %2").arg(index.row() + 1).arg(index.column() + 1);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Rows rows;
    QTableView table;
    table.setModel(&rows);
    table.resize(QSize(1164, 800).boundedTo(QApplication::primaryScreen()->size()));
    table.show();
    return QApplication::exec();
}

#include "favourites/FavViewController.h"

#include "platform/Alert.h"
#include "platform/Bundle.h"
#include "platform/Log.h"

#include <QAbstractButton>
#include <QMenu>
#include <QShortcut>

namespace favourites {

FavViewController::FavViewController(std::shared_ptr<platform::AudioEngine> engine)
    : GridScreen("FavViewController", std::move(engine))
{
}

FavViewController::~FavViewController() = default;

void FavViewController::viewDidLoad()
{
    GridScreen::viewDidLoad();
    collection = outlet<QListView>("collection");
    tablePlist = outlet<QListWidget>("tablePlist");
    nomeListaFav = outlet<QLineEdit>("nomeListaFav");

    showGridIn(collection.data());
    bindListTable();
    if (auto* save = outlet<QAbstractButton>("salvarListaFav"))
        connect(save, &QAbstractButton::clicked, this, [this] { salvarListaFav(); });
    if (auto* back = outlet<QAbstractButton>("retornarFirstView"))
        connect(back, &QAbstractButton::clicked, this, [this] { retornarFirstView(); });

    startUp();
}

void FavViewController::startUp()
{
    list.clear();
    carrega = true;
    savedLists_ = SavedLists(platform::Documents::standard());
    documentsDirectory = savedLists_.documents().directory();
    PlistSalva = savedLists_.names();
    reloadListTable();
    bank.loadForGridScreen(platform::Bundle::main());
}

void FavViewController::retornarFirstView()
{
    dismissViewController();
}

void FavViewController::salvarListaFav()
{
    carrega = false;
    savedLists_ = SavedLists(platform::Documents::standard());
    documentsDirectory = savedLists_.documents().directory();
    const std::string name = nomeListaFav ? nomeListaFav->text().toStdString() : std::string();
    Plist = savedLists_.save(name, filteredTableData, list).names;
    reloadListTable();
}

std::optional<std::string> FavViewController::listNameAt(int row) const
{
    const auto& names = carrega ? PlistSalva : Plist;
    if (row < 0 || static_cast<std::size_t>(row) >= names.size())
        return std::nullopt;
    return names[static_cast<std::size_t>(row)];
}

void FavViewController::tableDidSelectRow(int row)
{
    const auto name = listNameAt(row);
    if (!name)
        return;
    savedLists_.open(*name, filteredTableData, allTableData);
    if (grid())
        grid()->reloadData();
    startUp();
}

void FavViewController::tableCommitDeleteRow(int row)
{
    const auto name = listNameAt(row);
    if (!name)
        return;
    platform::log("selecionadaExcluir: " + *name);
    removeSelecionado = *name;
    platform::showAlert(view(), "Deseja Deletar? ", *name, "Cancelar", {"Deletar"}, this,
                        [this](int index) { alertClickedButtonAtIndex(index); });
}

void FavViewController::alertClickedButtonAtIndex(int buttonIndex)
{
    if (buttonIndex != 1)
        return;
    if (removeSelecionado)
        savedLists_.remove(*removeSelecionado);
    removeSelecionado.reset();
    reloadListTable();
    startUp();
}


void FavViewController::reloadListTable()
{
    if (!carrega)
        platform::log("cont Plist: " + std::to_string(Plist.size()));
    if (!tablePlist)
        return;
    tablePlist->clear();
    // The rows show the names; opening and deleting take the name itself
    // from the listing, so no byte of it is lost to the display.
    for (const std::string& name : carrega ? PlistSalva : Plist)
        new QListWidgetItem(QString::fromStdString(name), tablePlist);
}

void FavViewController::bindListTable()
{
    if (!tablePlist)
        return;
    // Black cells, dark grey when selected, light text on both. A row has the
    // height of a subtitle cell whose detail line stays empty, so the name
    // sits in the middle.
    tablePlist->setStyleSheet(QStringLiteral(
        "QListWidget#tablePlist { background: black; color: rgb(232, 232, 232); }"
        "QListWidget#tablePlist::item { background: black; color: rgb(232, 232, 232);"
        " height: 48px; padding-left: 12px; border-bottom: 1px solid rgb(44, 44, 48); }"
        "QListWidget#tablePlist::item:selected { background: rgb(85, 85, 85); }"));
    connect(tablePlist, &QListWidget::clicked, this,
            [this](const QModelIndex& index) { tableDidSelectRow(index.row()); });

    // Every row can be deleted: from its context menu, or with the Delete key
    // on the selected row.
    tablePlist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tablePlist, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = tablePlist->indexAt(at);
        if (!index.isValid())
            return;
        auto* menu = new QMenu(tablePlist);
        menu->setObjectName(QStringLiteral("menuLista"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const int row = index.row();
        menu->addAction(QStringLiteral("Deletar"), this,
                        [this, row] { tableCommitDeleteRow(row); });
        menu->popup(tablePlist->viewport()->mapToGlobal(at));
    });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, tablePlist);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        const QListWidgetItem* current = tablePlist->currentItem();
        if (current && current->isSelected())
            tableCommitDeleteRow(tablePlist->row(current));
    });
}

} // namespace favourites

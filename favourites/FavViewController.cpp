#include "favourites/FavViewController.h"

#include "platform/Alert.h"
#include "platform/Bundle.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"
#include "ui_FavViewController.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace favourites {
namespace {

// The longest entry name the usual Linux file systems take, in bytes.
constexpr std::size_t kLongestEntryName = 255;

// Why a list could not be saved under that name, in the user's words.
QString refusalOf(const std::string& name, bool tooLarge)
{
    if (tooLarge)
        return QStringLiteral("Lista grande demais: o arquivo passaria de %1 MiB.")
            .arg(platform::maxPropertyListSize / (1024 * 1024));
    if (name.empty())
        return QStringLiteral("Digite um nome para a lista.");
    if (name == "." || name == "..")
        return QStringLiteral("\".\" e \"..\" não servem de nome de lista.");
    if (name.find('/') != std::string::npos)
        return QStringLiteral("O nome não pode ter \"/\".");
    if (platform::Documents::isTemporaryName(name))
        return QStringLiteral("Nomes que começam com \"%1\" são reservados.")
            .arg(QString::fromUtf8(platform::Documents::temporaryPrefix.data(),
                                   platform::Documents::temporaryPrefix.size()));
    if (name.size() > kLongestEntryName)
        return QStringLiteral("Nome longo demais: use até %1 bytes.").arg(kLongestEntryName);
    return QStringLiteral("A lista não pôde ser salva.");
}

// Why a list was not opened, in the user's words; empty when it was.
QString openRefusalOf(SavedLists::OpenResult::Refusal refusal)
{
    using Refusal = SavedLists::OpenResult::Refusal;
    switch (refusal) {
    case Refusal::None:
        break;
    case Refusal::NotRead:
        return QStringLiteral("A lista não pôde ser lida; não foi aberta.");
    case Refusal::TooLarge:
        return QStringLiteral("A lista passa de %1 MiB; não foi aberta.")
            .arg(platform::maxPropertyListSize / (1024 * 1024));
    case Refusal::NotAList:
        return QStringLiteral("O arquivo não é uma lista de favoritos: está danificado ou é de "
                              "outro tipo.");
    case Refusal::NoIdentifier:
        return QStringLiteral("Nenhum item da lista é um identificador de acorde (como 001319); "
                              "não foi aberta.");
    case Refusal::NoCatalogueChord:
        return QStringLiteral("Nenhum item da lista é um acorde do catálogo; não foi aberta.");
    }
    return {};
}

} // namespace

FavViewController::FavViewController(std::shared_ptr<platform::AudioEngine> engine)
    : GridScreen(std::move(engine)), ui_(std::make_unique<Ui::FavViewController>())
{
}

FavViewController::~FavViewController() = default;

QWidget* FavViewController::loadView()
{
    auto* view = new QWidget;
    ui_->setupUi(view);
    showGridIn(ui_->collection);
    bindListTable();
    // The message line under the name field keeps the room of two lines,
    // empty or not, so showing or clearing a message moves nothing below it.
    ui_->mensagemLista->ensurePolished();
    ui_->mensagemLista->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui_->mensagemLista->setMinimumHeight(2 * ui_->mensagemLista->fontMetrics().lineSpacing());
    connect(ui_->salvarListaFav, &QAbstractButton::clicked, this, [this] { salvarListaFav(); });
    connect(ui_->retornarFirstView, &QAbstractButton::clicked, this,
            [this] { retornarFirstView(); });
    return view;
}

void FavViewController::viewDidLoad()
{
    GridScreen::viewDidLoad();
    startUp();
}

void FavViewController::startUp()
{
    list_.clear();
    carrega_ = true;
    savedLists_ = SavedLists(platform::Documents::standard());
    PlistSalva_ = savedLists_.names();
    reloadListTable();
    ui_->mensagemLista->clear();
    bank().loadForGridScreen(platform::Bundle::main());
}

void FavViewController::retornarFirstView()
{
    dismissViewController();
}

void FavViewController::salvarListaFav()
{
    carrega_ = false;
    const std::string name = ui_->nomeListaFav->text().toStdString();
    const SavedLists::SaveResult saved = savedLists_.save(name, filteredTableData(), list_);
    Plist_ = saved.names;
    ui_->mensagemLista->setText(saved.saved ? QString() : refusalOf(name, saved.tooLarge));
    reloadListTable();
}

const std::vector<std::string>& FavViewController::shownNames() const
{
    return carrega_ ? PlistSalva_ : Plist_;
}

std::optional<std::string> FavViewController::listNameAt(int row) const
{
    const auto& names = shownNames();
    if (row < 0 || static_cast<std::size_t>(row) >= names.size())
        return std::nullopt;
    return names[static_cast<std::size_t>(row)];
}

void FavViewController::tableDidSelectRow(int row)
{
    const auto name = listNameAt(row);
    if (!name)
        return;
    const SavedLists::OpenResult result =
        savedLists_.open(*name, filteredTableData(), allTableData());
    if (grid())
        grid()->reloadData();
    startUp();
    ui_->mensagemLista->setText(openRefusalOf(result.refusal));
    // The opened list stays the selected row, for the Delete key.
    const auto& names = shownNames();
    const auto opened = std::find(names.begin(), names.end(), *name);
    if (opened != names.end())
        ui_->tablePlist->setCurrentRow(static_cast<int>(opened - names.begin()));
}

void FavViewController::tableCommitDeleteRow(int row)
{
    const auto name = listNameAt(row);
    if (!name)
        return;
    platform::log("selecionadaExcluir: " + *name);
    removeSelecionado_ = *name;
    platform::showAlert(view(), "Deseja Deletar? ", *name, "Cancelar", {"Deletar"}, this,
                        [this](int index) { alertClickedButtonAtIndex(index); });
}

void FavViewController::alertClickedButtonAtIndex(int buttonIndex)
{
    if (buttonIndex != 1)
        return;
    if (removeSelecionado_)
        savedLists_.remove(*removeSelecionado_);
    removeSelecionado_.reset();
    reloadListTable();
    startUp();
}

void FavViewController::reloadListTable()
{
    if (!carrega_)
        platform::log("cont Plist: " + std::to_string(Plist_.size()));
    QListWidget* tablePlist = ui_->tablePlist;
    tablePlist->clear();
    // The rows show the names; opening and deleting take the name itself
    // from the listing, so no byte of it is lost to the display. They are
    // added in one batch: one at a time, each row would notify the view.
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(shownNames().size()));
    for (const std::string& name : shownNames())
        rows.append(QString::fromStdString(name));
    tablePlist->addItems(rows);
}

void FavViewController::bindListTable()
{
    QListWidget* tablePlist = ui_->tablePlist;
    // The box and its cells in the dark grey of the main screen's tables, its
    // border lit while it has focus; a selected row lighter grey; light text. A row has
    // the height of a subtitle cell whose detail line stays empty, so the name
    // sits in the middle.
    tablePlist->setStyleSheet(QStringLiteral(
        "QListWidget#tablePlist { background: #18181b; color: rgb(232, 232, 232);"
        " border: 1px solid #3a3a40; border-radius: 6px; }"
        "QListWidget#tablePlist:focus { border-color: #e8a030; }"
        "QListWidget#tablePlist::item { background: #18181b; color: rgb(232, 232, 232);"
        " height: 48px; padding-left: 12px; border-bottom: 1px solid rgb(44, 44, 48); }"
        "QListWidget#tablePlist::item:selected { background: rgb(85, 85, 85); }"));
    // Every row has that height and the table's width, so the view lays out
    // a long listing from one row's size instead of measuring every row.
    tablePlist->setUniformItemSizes(true);
    connect(tablePlist, &QListWidget::clicked, this,
            [this](const QModelIndex& index) { tableDidSelectRow(index.row()); });

    // Every row can be deleted: from its context menu, or with the Delete key
    // on the selected row.
    tablePlist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tablePlist, &QWidget::customContextMenuRequested, this,
            [this, tablePlist](const QPoint& at) {
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
    // The key is taken from the table's own key events, not by a shortcut: a
    // shortcut matches only the application's focus widget, which in a window
    // that shows its content scaled is the scaling view, never the table.
    tablePlist->installEventFilter(this);
}

bool FavViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->tablePlist && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        const QListWidgetItem* current = ui_->tablePlist->currentItem();
        if (current && current->isSelected())
            tableCommitDeleteRow(ui_->tablePlist->row(current));
        return true;
    }
    return GridScreen::eventFilter(watched, event);
}

} // namespace favourites

#include "finder/FirstViewController.h"

#include "catalogue/CatalogueLoader.h"
#include "catalogue/Vocabularies.h"
#include "finder/ChordFont.h"
#include "finder/ChordListReceiver.h"
#include "finder/ChordPhotos.h"
#include "finder/TableModels.h"
#include "finder/TableViewCell.h"
#include "platform/Bundle.h"
#include "platform/Fonts.h"
#include "platform/Images.h"
#include "platform/LayoutLoader.h"
#include "platform/Log.h"
#include "fretboard/FretboardView.h"
#include "platform/System.h"

#include <QAbstractButton>
#include <QEvent>

namespace finder {
namespace {

// The layout names our table class; its loader must be able to make one.
void registerTableClass()
{
    static const bool registered = [] {
        platform::registerWidgetClass("finder::TableView",
                                      [](QWidget* parent) { return new TableView(parent); });
        return true;
    }();
    (void)registered;
}

void setText(QLabel* label, const std::string& text)
{
    if (label)
        label->setText(QString::fromStdString(text));
}

void setText(QLineEdit* field, const std::string& text)
{
    if (field)
        field->setText(QString::fromStdString(text));
}

} // namespace

FirstViewController::FirstViewController()
    : FirstViewController(std::make_unique<platform::CurlPageFetcher>())
{
}

FirstViewController::FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher)
    : platform::ViewController("FirstViewController"), pageFetcher_(std::move(pageFetcher))
{
    registerTableClass();
    fretboard::registerFretboardWidgets();
}

FirstViewController::~FirstViewController() = default;

const catalogue::ChordList* FirstViewController::shownList() const
{
    return isFiltered ? filteredTableData.get() : allTableData.get();
}

void FirstViewController::viewDidLoad()
{
    bindFretboardOutlets();
    bindFinderOutlets();

    // The loading indicator that the sample bank's loading starts and stops.
    if (platform::systemVersionAtLeast(13)) {
        activityIndicator =
            new platform::ActivityIndicator(view(), platform::ActivityIndicator::Style::Large);
        activityIndicator->setCenter(view()->rect().center());
        activityIndicator->setHidesWhenStopped(true);
        activityIndicator->raise();
    }
    filteredFavorite = std::make_shared<catalogue::ChordList>();
    platform::ViewController::viewDidLoad();
    // The tab bars' white tint has nothing to act on: the desktop window has
    // no tab bar.
    setText(tonicaText, "C ");
    setText(labelCifra, "C");
    if (labelCifra)
        labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));

    // The open C chord, drawn with its root marks. It does not sound: the
    // note players are made only below.
    ClearNeck("*");
    static const std::array<std::string, 6> openC = {" ", "1", "0", "2", "3", " "};
    for (std::size_t s = 0; s < 6; ++s)
        setText(cdr[s], openC[s]);
    setChordNeck(openC[0], openC[1], openC[2], openC[3], openC[4], openC[5]);

    setText(tipoText, " *");
    tonicas = catalogue::tonicas();
    tipos = catalogue::tipos();
    isFiltered = false;
    LoadAudioSessions();
    filteredTableData = std::make_shared<catalogue::ChordList>();

    const auto path = platform::Bundle::main().pathForResource("catalogue", "tsv");
    if (path) {
        allTableData =
            catalogue::loadCatalogue(*path, [](const std::string& line) { platform::log(line); });
    } else {
        platform::log("Catálogo não encontrado no bundle: catalogue.tsv");
        allTableData = std::make_shared<catalogue::ChordList>();
    }
    chordOnDisplay = allTableData->empty() ? nullptr : allTableData->front();

    // The tables take their rows now that the lists exist, as they would when
    // first shown.
    for (TableView* table : {tableViewTonica.data(), tableViewTipo.data(), tableViewCifras.data(),
                             tableViewFotos.data(), tableViewFav.data()})
        reload(table);

    wireFinderActions();
}

void FirstViewController::bindFinderOutlets()
{
    tonicaText = outlet<QLineEdit>("tonicaText");
    tipoText = outlet<QLineEdit>("tipoText");
    labelCifra = outlet<QLabel>("labelCifra");
    tableViewTonica = outlet<TableView>("tableViewTonica");
    tableViewTipo = outlet<TableView>("tableViewTipo");
    tableViewCifras = outlet<TableView>("tableViewCifras");
    tableViewFotos = outlet<TableView>("tableViewFotos");
    tableViewFav = outlet<TableView>("tableViewFav");
    searchBar = outlet<QLineEdit>("searchBar");
    labelnChords = outlet<QLabel>("labelnChords");
    SetTypeM = outlet<platform::Button>("SetTypeM");
    SetTypem = outlet<platform::Button>("SetTypem");
    SetType7 = outlet<platform::Button>("SetType7");
    SetTypedim = outlet<platform::Button>("SetTypedim");
    cifraImage = outlet<QLabel>("cifraImage");
    FavoriteOnOff = outlet<platform::Button>("FavoriteOnOff");
    labelFavorite = outlet<QLabel>("labelFavorite");
    FavNumber = outlet<QLineEdit>("FavNumber");
    LinkCifra = outlet<QLineEdit>("LinkCifra");
    WebViewCifra = outlet<QTextBrowser>("WebViewCifra");
    textHTML = outlet<QTextEdit>("textHTML");
    textPlain = outlet<QTextEdit>("textPlain");
    imageInstruc = outlet<QLabel>("imageInstruc");
    setasInstruc = outlet<QLabel>("setasInstruc");
    for (std::size_t i = 0; i < label_instr.size(); ++i)
        label_instr[i] = outlet<QLabel>(("label_instr" + std::to_string(i + 1)).c_str());

    const QFont tableFont = platform::fontWithName(kChordFont, kTableFontSize);
    const QFont smallFont = platform::fontWithName(kChordFont, kSmallTableFontSize);
    auto textTable = [this](TableView* table, TableModel* model, int rowHeight) {
        if (!table)
            return;
        model->setParent(table);
        table->setTableModel(model);
        table->setItemDelegate(new TableViewCell(rowHeight, table));
        connect(table, &TableView::didSelectRow, this,
                [this, table](int row) { tableViewDidSelectRow(table, row); });
    };
    textTable(tableViewTonica, new TextListModel([this] { return &tonicas; }, tableFont), 34);
    textTable(tableViewTipo, new TextListModel([this] { return &tipos; }, tableFont), 34);
    textTable(tableViewCifras, new ChordListModel([this] { return shownList(); }, tableFont), 34);
    textTable(tableViewFav,
              new ChordListModel([this] { return filteredFavorite.get(); }, smallFont), 30);
    if (tableViewFotos) {
        tableViewFotos->setTableModel(
            new ChordListModel([this] { return shownList(); }, smallFont, tableViewFotos));
        // Thumbnails are grey on a pad, as the desktop counts.
        const bool grey = platform::deviceIdiom() == platform::DeviceIdiom::Pad;
        tableViewFotos->setItemDelegate(new TableViewCell(QSize(112, 84), grey, tableViewFotos));
        connect(tableViewFotos, &TableView::didSelectRow, this,
                [this](int row) { tableViewDidSelectRow(tableViewFotos, row); });
    }
    // The photograph first shown is that of the C on display.
    if (cifraImage)
        cifraImage->setPixmap(QPixmap::fromImage(loadChordPhoto("DS1_0019", cifraImage->size())));
    if (imageInstruc)
        imageInstruc->setPixmap(platform::pixmapNamed("instrucao-01.png"));
    if (setasInstruc)
        setasInstruc->setPixmap(platform::pixmapNamed("instrucao-02.png"));
}

void FirstViewController::wireFinderActions()
{
    auto onClick = [this](const char* name, auto handler) {
        if (auto* button = outlet<QAbstractButton>(name))
            connect(button, &QAbstractButton::clicked, this,
                    [this, button, handler] { handler(button); });
    };
    onClick("buttonSobre", [this](QObject* b) { performSegue("segueSobre", b); });
    onClick("buttonFavoritos", [this](QObject* b) { performSegue("segueFavoritos", b); });
    onClick("buttonGrade", [this](QObject* b) { performSegue("segueFavoritos", b); });
    onClick("FavoriteOnOff", [this](QObject*) { SetFavorite(); });
    onClick("buttonLimparFavoritos", [this](QObject*) { ClearFavorites(); });
    onClick("buttonFiltroFavoritos", [this](QObject*) { setFilterFav(); });
    onClick("buttonAbrirCifra", [this](QObject* b) { abrirCifra(b); });
    onClick("buttonLerCifras", [this](QObject* b) { lerCifras(b); });
    onClick("ShowInstruc", [this](QObject*) { ShowInstruc(); });
    // A category button reports itself highlighted while it is held down, so
    // the filter runs on the press.
    for (platform::Button* category :
         {SetTypeM.data(), SetTypem.data(), SetType7.data(), SetTypedim.data()})
        if (category)
            connect(category, &QAbstractButton::pressed, this,
                    [this, category] { setFilterCateg(category); });
    if (searchBar)
        connect(searchBar, &QLineEdit::textChanged, this,
                [this](const QString& text) { searchBarTextDidChange(text.toStdString()); });
    // A click on the screen's background puts the search field's keyboard away.
    view()->installEventFilter(this);
}

bool FirstViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::MouseButtonPress)
        dismissKeyboard();
    return platform::ViewController::eventFilter(watched, event);
}

void FirstViewController::reload(TableView* tableView)
{
    if (tableView)
        tableView->reloadData();
}

void FirstViewController::endEditing()
{
    QWidget* focused = view()->focusWidget();
    if (focused && (qobject_cast<QLineEdit*>(focused) || qobject_cast<QTextEdit*>(focused)))
        focused->clearFocus();
}

void FirstViewController::dismissKeyboard()
{
    if (searchBar)
        searchBar->clearFocus();
}

void FirstViewController::viewWillAppear(bool animated)
{
    platform::ViewController::viewWillAppear(animated);
    // A favourites screen may have refilled the shared favourites list.
    reload(tableViewFav);
}

void FirstViewController::prepareForSegue(platform::Segue& segue, QObject*)
{
    if (segue.identifier != "segueFavoritos")
        return;
    if (auto* receiver = dynamic_cast<ChordListReceiver*>(segue.destination.get())) {
        receiver->setFilteredTableData(filteredFavorite);
        receiver->setAllTableData(allTableData);
    }
}

void FirstViewController::ShowInstruc()
{
    std::vector<QWidget*> overlay = {imageInstruc, setasInstruc};
    for (const auto& label : label_instr)
        overlay.push_back(label);
    for (QWidget* part : overlay)
        if (part)
            part->setHidden(!part->isHidden());
}

} // namespace finder

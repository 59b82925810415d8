#include "finder/FirstViewController.h"

#include "catalogue/CatalogueLoader.h"
#include "finder/ChordFont.h"
#include "finder/ChordListModel.h"
#include "finder/ChordListReceiver.h"
#include "finder/ChordNameScan.h"
#include "finder/ChordPhotos.h"
#include "finder/TableViewCell.h"
#include "platform/ActivityIndicator.h"
#include "platform/Bundle.h"
#include "platform/Fonts.h"
#include "platform/Images.h"
#include "platform/Log.h"
#include "platform/System.h"
#include "ui_FirstViewController.h"

#include <QEvent>

#include <array>

namespace finder {
namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

catalogue::ChordListRef loadBundledCatalogue()
{
    const auto path = platform::Bundle::main().pathForResource("catalogue", "tsv");
    if (!path) {
        platform::log("Catálogo não encontrado no bundle: catalogue.tsv");
        return nullptr;
    }
    return catalogue::loadCatalogue(*path, [](const std::string& line) { platform::log(line); });
}

} // namespace

FirstViewController::FirstViewController()
    : FirstViewController(std::make_unique<platform::CurlPageFetcher>())
{
}

FirstViewController::FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher)
    : ui_(std::make_unique<Ui::FirstViewController>()), pageFetcher_(std::move(pageFetcher))
{
}

FirstViewController::~FirstViewController() = default;

fretboard::FretboardPanel* FirstViewController::fretboard() const
{
    return isViewLoaded() ? ui_->fretboard : nullptr;
}

QWidget* FirstViewController::loadView()
{
    // Everything wired here is wired once per view, however often the
    // start-up runs.
    auto* view = new QWidget;
    ui_->setupUi(view);
    showTables();
    followFinder();
    wireActions();
    ui_->imageInstruc->setPixmap(platform::pixmapNamed("instrucao-01.png"));
    ui_->setasInstruc->setPixmap(platform::pixmapNamed("instrucao-02.png"));
    // A click on the screen's background puts the search field's keyboard away.
    view->installEventFilter(this);
    return view;
}

void FirstViewController::viewDidLoad()
{
    platform::ViewController::viewDidLoad();
    if (platform::systemVersionAtLeast(13) && !activityIndicator_) {
        activityIndicator_ =
            new platform::ActivityIndicator(view(), platform::ActivityIndicator::Style::Large);
        activityIndicator_->setCenter(view()->rect().center());
        activityIndicator_->setHidesWhenStopped(true);
        activityIndicator_->raise();
    }
    ui_->fretboard->setActivityIndicator(activityIndicator_);
    ui_->labelCifra->setText(QStringLiteral("C"));
    ui_->labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));
    ui_->cifraImage->setPixmap(
        QPixmap::fromImage(loadChordPhoto("DS1_0019", ui_->cifraImage->size())));
    // The open C is drawn before the note players exist, so it is not heard.
    ui_->fretboard->showChord(ChordFinder::kOpenC, ChordFinder::kStartRoot);
    LoadAudioSessions();
    finder_.start(loadBundledCatalogue());
}

void FirstViewController::showTables()
{
    const QFont tableFont = platform::fontWithName(kChordFont, kTableFontSize);
    const QFont smallFont = platform::fontWithName(kChordFont, kSmallTableFontSize);
    const auto show = [this](TableView* table, QAbstractItemModel* model,
                             QAbstractItemDelegate* cell) {
        table->setModel(model);
        table->setItemDelegate(cell);
        connect(table, &TableView::didSelectRow, this,
                [this, table](int row) { tableViewDidSelectRow(table, row); });
    };
    const auto chordList = [this](TableView* table, QFont font, auto listOf, auto signal) {
        auto* model = new ChordListModel(table, std::move(font));
        connect(&finder_, signal, model,
                [this, model, listOf] { model->setList(listOf(finder_)); });
        model->setList(listOf(finder_));
        return model;
    };
    const auto shown = [](const ChordFinder& f) { return f.shownList(); };
    const auto favourites = [](const ChordFinder& f) { return f.filteredFavorite(); };
    TableView* roots = ui_->tableViewTonica;
    TableView* types = ui_->tableViewTipo;
    show(roots, new TextListModel(finder_.tonicas(), tableFont, roots),
         new TableViewCell(34, roots));
    show(types, new TextListModel(finder_.tipos(), tableFont, types), new TableViewCell(34, types));
    TableView* chords = ui_->tableViewCifras;
    show(chords, chordList(chords, tableFont, shown, &ChordFinder::shownListChanged),
         new TableViewCell(34, chords));
    TableView* fav = ui_->tableViewFav;
    show(fav, chordList(fav, smallFont, favourites, &ChordFinder::favouritesChanged),
         new TableViewCell(30, fav));
    // Thumbnails are grey on a pad, as the desktop counts.
    TableView* photos = ui_->tableViewFotos;
    const bool grey = platform::deviceIdiom() == platform::DeviceIdiom::Pad;
    show(photos, chordList(photos, smallFont, shown, &ChordFinder::shownListChanged),
         new TableViewCell(QSize(112, 84), grey, photos));
}

void FirstViewController::followFinder()
{
    connect(&finder_, &ChordFinder::rootTextChanged, this, [this] {
        ui_->tonicaText->setText(text(finder_.rootText()));
        ui_->fretboard->setRoot(finder_.rootText());
    });
    connect(&finder_, &ChordFinder::typeTextChanged, this,
            [this] { ui_->tipoText->setText(text(finder_.typeText())); });
    connect(&finder_, &ChordFinder::countChanged, this,
            [this](int count) { ui_->labelnChords->setText(QStringLiteral("(%1)").arg(count)); });
    connect(&finder_, &ChordFinder::chordShown, this, [this] { showChord(); });
    connect(&finder_, &ChordFinder::favouriteMarkChanged, this, [this] {
        const bool on = finder_.favouriteOn();
        ui_->labelFavorite->setText(on ? QStringLiteral("*") : QStringLiteral(" "));
        ui_->FavoriteOnOff->setTag(on ? 1 : 0);
        if (on)
            ui_->FavNumber->setText(text(finder_.favouriteCounter()));
    });
}

void FirstViewController::wireActions()
{
    const auto onClick = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, [button, handler] { handler(button); });
    };
    onClick(ui_->buttonSobre, [this](QObject* b) { performSegue("segueSobre", b); });
    onClick(ui_->buttonFavoritos, [this](QObject* b) { performSegue("segueFavoritos", b); });
    onClick(ui_->buttonGrade, [this](QObject* b) { performSegue("segueFavoritos", b); });
    onClick(ui_->FavoriteOnOff, [this](QObject*) { SetFavorite(); });
    onClick(ui_->buttonLimparFavoritos, [this](QObject*) { ClearFavorites(); });
    onClick(ui_->buttonFiltroFavoritos, [this](QObject*) { setFilterFav(); });
    onClick(ui_->buttonAbrirCifra, [this](QObject* b) { abrirCifra(b); });
    onClick(ui_->buttonLerCifras, [this](QObject* b) { lerCifras(b); });
    onClick(ui_->ShowInstruc, [this](QObject*) { ShowInstruc(); });
    // A category button reports itself held down while pressed, so the
    // filter runs on the press.
    for (QAbstractButton* category : {ui_->SetTypeM, ui_->SetTypem, ui_->SetType7, ui_->SetTypedim})
        connect(category, &QAbstractButton::pressed, this,
                [this, category] { setFilterCateg(category); });
    connect(ui_->searchBar, &QLineEdit::textChanged, this,
            [this](const QString& typed) { searchBarTextDidChange(typed.toStdString()); });
    connect(ui_->FavNumber, &QLineEdit::textChanged, this,
            [this](const QString& typed) { finder_.setFavouriteCounter(typed.toStdString()); });
    ui_->fretboard->attachControls(ui_->AudioOnOff, ui_->ButtonPaleta, ui_->buttonClearNeck);
    connect(ui_->fretboard, &fretboard::FretboardPanel::labelsEdited, this,
            [this](const fretboard::FretPattern& labels) { finder_.setFretLabels(labels); });
    connect(ui_->fretboard, &fretboard::FretboardPanel::fretTapped, this,
            [this](QObject* sender) { setFilterChord(sender); });
}

void FirstViewController::showChord()
{
    // Heard first: the photograph's decoding waits until the notes started.
    const catalogue::AcordeRef& record = finder_.chordOnDisplay();
    ui_->fretboard->showChord(finder_.fretLabels(), finder_.rootText());
    ui_->labelCifra->setText(text(record->Cifra));
    ui_->labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));
    const bool marked = finder_.favouriteOn();
    ui_->FavoriteOnOff->setImage(marked ? "icone-favorite-set.png" : "icone-favorite.png");
    ui_->FavoriteOnOff->setTag(marked ? 1 : 0);
    ui_->labelFavorite->setText(marked ? QStringLiteral("*") : QStringLiteral(" "));
    ui_->cifraImage->setPixmap(
        QPixmap::fromImage(loadChordPhoto(record->Image, ui_->cifraImage->size())));
}

void FirstViewController::tableViewDidSelectRow(TableView* tableView, int row)
{
    if (tableView == ui_->tableViewTonica)
        finder_.selectRoot(row);
    else if (tableView == ui_->tableViewTipo)
        finder_.selectType(row);
    else if (tableView == ui_->tableViewCifras || tableView == ui_->tableViewFotos)
        finder_.selectChord(row);
    endEditing();
}

void FirstViewController::tableViewSelect(QObject*)
{
    if (ui_->tableViewCifras->numberOfRows() == 0)
        return;
    ui_->tableViewCifras->selectRow(0);
    tableViewDidSelectRow(ui_->tableViewCifras, 0);
}

void FirstViewController::setFilterCateg(QObject*)
{
    // The held-down button names the category; a later one in this order
    // wins when several are down.
    std::string word = "Maior";
    const std::pair<QAbstractButton*, const char*> buttons[] = {{ui_->SetTypeM, "Maior"},
                                                                {ui_->SetTypem, "menor"},
                                                                {ui_->SetType7, "7"},
                                                                {ui_->SetTypedim, "dim"}};
    for (const auto& [button, category] : buttons)
        if (button->isDown())
            word = category;
    finder_.setFilterCateg(word);
}

void FirstViewController::setFilterFav()
{
    finder_.setFilterFav();
}

void FirstViewController::searchBarTextDidChange(const std::string& typed)
{
    finder_.searchBarTextDidChange(typed);
}

void FirstViewController::setNChords(const std::string&)
{
    finder_.setNChords();
}

void FirstViewController::setFilterChord(QObject*)
{
    finder_.setFilterChord();
}

void FirstViewController::SetFavorite()
{
    finder_.SetFavorite();
}

void FirstViewController::ClearFavorites()
{
    finder_.ClearFavorites();
}

void FirstViewController::LoadAudioSessions()
{
    ui_->fretboard->LoadAudioSessions();
}

void FirstViewController::viewWillAppear(bool animated)
{
    platform::ViewController::viewWillAppear(animated);
    finder_.favouritesReturned();
}

void FirstViewController::prepareForSegue(platform::Segue& segue, QObject*)
{
    if (segue.identifier != "segueFavoritos")
        return;
    if (auto* receiver = dynamic_cast<ChordListReceiver*>(segue.destination.get())) {
        receiver->setFilteredTableData(finder_.filteredFavorite());
        receiver->setAllTableData(finder_.allTableData());
    }
}

void FirstViewController::abrirCifra(QObject*)
{
    // While the fetch runs the window keeps painting; the screen takes no
    // input, so nothing starts a second fetch or re-enters the screen.
    if (fetching_ || !pageFetcher_)
        return;
    fetching_ = true;
    view()->setEnabled(false);
    const struct Done {
        FirstViewController* screen;
        ~Done()
        {
            screen->view()->setEnabled(true);
            screen->fetching_ = false;
        }
    } done{this};
    const std::string address = ui_->LinkCifra->text().toStdString();
    const platform::PageFetchResult page = pageFetcher_->fetch(address);
    std::string pageText;
    if (!page.ok()) {
        platform::log("Página não carregada: " + page.error);
    } else {
        pageText = pageTextFromBytes(*page.bytes);
        if (pageText.empty() && !page.bytes->empty())
            platform::log("Página não está em UTF-8; texto ignorado: " + address);
    }
    ui_->WebViewCifra->setHtml(text(pageText));
    ui_->textHTML->setPlainText(text(pageText));
}

void FirstViewController::lerCifras(QObject*)
{
    const QString page = ui_->textHTML->toPlainText();
    finder_.lerCifras(page.toStdString());
    ui_->textPlain->setPlainText(page.trimmed());
}

void FirstViewController::ShowInstruc()
{
    // Each part flips from its own state.
    const std::array<QWidget*, 14> overlay = {
        ui_->imageInstruc,  ui_->setasInstruc, ui_->label_instr1, ui_->label_instr2,
        ui_->label_instr3,  ui_->label_instr4, ui_->label_instr5, ui_->label_instr6,
        ui_->label_instr7,  ui_->label_instr8, ui_->label_instr9, ui_->label_instr10,
        ui_->label_instr11, ui_->label_instr12};
    for (QWidget* part : overlay)
        part->setHidden(!part->isHidden());
}

void FirstViewController::dismissKeyboard()
{
    ui_->searchBar->clearFocus();
}

void FirstViewController::endEditing()
{
    QWidget* focused = view()->focusWidget();
    if (focused && (qobject_cast<QLineEdit*>(focused) || qobject_cast<QTextEdit*>(focused)))
        focused->clearFocus();
}

bool FirstViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::MouseButtonPress)
        dismissKeyboard();
    return platform::ViewController::eventFilter(watched, event);
}

} // namespace finder

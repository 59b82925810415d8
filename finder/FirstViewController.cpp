#include "finder/FirstViewController.h"

#include "finder/BundledCatalogue.h"
#include "finder/ChordFont.h"
#include "finder/ChordListReceiver.h"
#include "finder/ChordPhotos.h"
#include "finder/FinderTables.h"
#include "finder/ImportPane.h"
#include "finder/InstructionsOverlay.h"
#include "platform/Fonts.h"
#include "ui_FirstViewController.h"

#include <QEvent>

namespace finder {

FirstViewController::FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher,
                                         platform::LayoutBudget layoutBudget)
    : ui_(std::make_unique<Ui::FirstViewController>()),
      importPane_(std::make_unique<ImportPane>(std::move(pageFetcher), std::move(layoutBudget)))
{
}

FirstViewController::~FirstViewController() = default;

fretboard::FretboardPanel* FirstViewController::fretboard() const
{
    return isViewLoaded() ? ui_->fretboard : nullptr;
}

QWidget* FirstViewController::loadView()
{
    // Wired once per view, however often the start-up runs.
    auto* view = new QWidget;
    ui_->setupUi(view);
    showFinderTables({ui_->tableViewTonica, ui_->tableViewTipo, ui_->tableViewCifras,
                      ui_->tableViewFotos, ui_->tableViewFav},
                     finder_, this,
                     [this](TableView* table, int row) { tableViewDidSelectRow(table, row); });
    followFinder();
    importPane_->setWidgets({ui_->LinkCifra, ui_->WebViewCifra, ui_->textHTML, ui_->textPlain, view,
                             ui_->mensagemImportar});
    wireActions();
    instructions_ = new InstructionsOverlay(
        view, {{ui_->imageInstruc, "instrucao-01.png"}, {ui_->setasInstruc, "instrucao-02.png"}});
    // A click on the screen's background puts the search field's keyboard away.
    view->installEventFilter(this);
    return view;
}

void FirstViewController::viewDidLoad()
{
    platform::ViewController::viewDidLoad();
    ui_->fretboard->showLoadingOver(view());
    ui_->labelCifra->setText(QStringLiteral("C"));
    ui_->labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));
    showChordPhoto("DS1_0019");
    // The open C is drawn before the note players exist, so it is not heard.
    ui_->fretboard->showChord(ChordFinder::kOpenC, ChordFinder::kStartRoot);
    LoadAudioSessions();
    finder_.start(loadBundledCatalogue());
}

void FirstViewController::followFinder()
{
    connect(&finder_, &ChordFinder::rootTextChanged, this, [this] {
        ui_->tonicaText->setText(QString::fromStdString(finder_.rootText()));
        ui_->fretboard->setRoot(finder_.rootText());
    });
    connect(&finder_, &ChordFinder::typeTextChanged, this,
            [this] { ui_->tipoText->setText(QString::fromStdString(finder_.typeText())); });
    connect(&finder_, &ChordFinder::countChanged, this,
            [this](int count) { ui_->labelnChords->setText(QStringLiteral("(%1)").arg(count)); });
    connect(&finder_, &ChordFinder::chordShown, this, [this] { showChord(); });
    connect(&finder_, &ChordFinder::favouriteMarkChanged, this, [this] {
        showFavouriteMark();
        ui_->FavNumber->setText(QString::fromStdString(finder_.favouriteCounter()));
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
    // Enter in the address field opens the page as the button does.
    connect(ui_->LinkCifra, &QLineEdit::returnPressed, this,
            [this] { abrirCifra(ui_->buttonAbrirCifra); });
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
            [this](const catalogue::FretPattern& labels) { finder_.setFretLabels(labels); });
    connect(ui_->fretboard, &fretboard::FretboardPanel::fretTapped, this,
            [this](QObject* sender) { setFilterChord(sender); });
}

void FirstViewController::showChord()
{
    // Heard first: the photograph's decoding waits until the notes started.
    const catalogue::AcordeRef& record = finder_.chordOnDisplay();
    ui_->fretboard->showChord(finder_.fretLabels(), finder_.rootText());
    ui_->labelCifra->setText(QString::fromStdString(record->Cifra));
    ui_->labelCifra->setFont(platform::fontWithName(kChordFont, kChordLabelFontSize));
    ui_->FavoriteOnOff->setImage(finder_.favouriteOn() ? "icone-favorite-set.png"
                                                       : "icone-favorite.png");
    showFavouriteMark();
    showChordPhoto(record->Image);
}

void FirstViewController::showChordPhoto(const std::string& stem)
{
    ui_->cifraImage->setPixmap(QPixmap::fromImage(loadChordPhoto(stem, ui_->cifraImage->size())));
}

void FirstViewController::showFavouriteMark()
{
    const bool on = finder_.favouriteOn();
    ui_->labelFavorite->setText(on ? QStringLiteral("*") : QStringLiteral(" "));
    ui_->FavoriteOnOff->setTag(on ? 1 : 0);
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

void FirstViewController::ShowInstruc()
{
    instructions_->toggle();
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

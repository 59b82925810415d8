#include "finder/ImportPane.h"

#include "finder/ChordFinder.h"
#include "finder/ChordNameScan.h"
#include "platform/ActivityIndicator.h"
#include "platform/Log.h"
#include "platform/PageView.h"
#include "platform/TextView.h"
#include "platform/page/PageMarkup.h"
#include "platform/page/PageText.h"

#include <QLabel>
#include <QLineEdit>

#include <exception>
#include <utility>

namespace finder {
namespace {

// What the user reads of a failed fetch: the kind of failure, told in one
// short line.
QString failureLine(const platform::Error& failure)
{
    switch (failure.kind()) {
    case platform::ErrorKind::NotAnAddress:
        return QStringLiteral("Endereço inválido: use http://, https:// ou file://.");
    case platform::ErrorKind::TooLarge:
        return QStringLiteral("A página passa de 5 MiB; não foi aberta.");
    case platform::ErrorKind::HostNotFound:
        return QStringLiteral("Servidor não encontrado: confira o endereço.");
    case platform::ErrorKind::TimedOut:
        return QStringLiteral("O servidor demorou demais para responder.");
    case platform::ErrorKind::HttpStatus:
        return QStringLiteral("O servidor respondeu com o erro %1.").arg(failure.status());
    case platform::ErrorKind::Refused:
        return QStringLiteral("O servidor recusou a conexão.");
    case platform::ErrorKind::Other:
        break;
    }
    return QStringLiteral("Não foi possível abrir a página.");
}

} // namespace

ReadPage readPage(const std::string& bytes, const std::stop_token& stop)
{
    ReadPage read;
    // One decoding for all that reads the page: the view, the source box
    // and, from the box, the name scan.
    platform::PageText page = platform::pageText(bytes);
    if (!page.problem.empty()) {
        read.problem = std::move(page.problem);
        return read;
    }
    read.text = std::move(page.text);
    if (stop.stop_requested())
        return read;
    read.page = platform::pageToShow(read.text, {}, stop);
    read.sourceShown = platform::textToShow(read.text);
    return read;
}

ImportPane::ImportPane(std::unique_ptr<platform::PageFetcher> fetcher,
                       platform::LayoutBudget layoutBudget)
    : fetcher_(std::move(fetcher)), layoutBudget_(std::move(layoutBudget))
{
}

ImportPane::~ImportPane() = default;

void ImportPane::setWidgets(const Widgets& widgets)
{
    address_ = widgets.address;
    page_ = widgets.page;
    source_ = widgets.source;
    plainText_ = widgets.plainText;
    screen_ = widgets.screen;
    message_ = widgets.message;
    if (page_)
        page_->setLayoutBudget(layoutBudget_);
    if (source_)
        source_->setLayoutBudget(layoutBudget_);
    if (plainText_)
        plainText_->setLayoutBudget(layoutBudget_);
}

void ImportPane::abrirCifra()
{
    // The window keeps painting while the fetch waits; no input reaches the
    // screen until it ends.
    if (fetching_ || !fetcher_ || !address_)
        return;
    // The page asked for before is of no use any more.
    work_.cancel();
    reading_ = false;
    fetching_ = true;
    showFetching(true);
    const std::string address = address_->text().toStdString();
    platform::Result<std::string> fetched = platform::failure("not fetched");
    try {
        fetched = fetcher_->fetch(address);
    } catch (const std::exception& failure) {
        fetched = platform::failure(address + ": " + failure.what());
    }
    showFetching(false);
    fetching_ = false;
    if (!fetched) {
        platform::log(platform::LogLevel::Warning, "Página não carregada: " + fetched.error());
        showRead({}, failureLine(fetched.failure()));
        return;
    }
    reading_ = true;
    work_.start([this, reader = reader_, bytes = std::move(*fetched),
                 address](const std::stop_token& stop) -> std::function<void()> {
        auto read = std::make_shared<ReadPage>();
        QString failure;
        try {
            *read = reader(bytes, stop);
        } catch (const std::exception& exception) {
            // Out of memory, say: nothing is shown, and the line says so.
            platform::log(platform::LogLevel::Warning,
                          "Página não lida: " + address + ": " + exception.what());
            *read = {};
            failure = QStringLiteral("Não foi possível ler a página.");
        }
        if (!read->problem.empty()) {
            // UTF-16 pages are read; a UTF-32 page, or bytes that are not
            // UTF-8, are refused.
            platform::log(platform::LogLevel::Warning, "Página não está em UTF-8 nem em UTF-16 (" +
                                                           read->problem +
                                                           "); texto ignorado: " + address);
            *read = {};
            failure = QStringLiteral("A página não está em UTF-8 nem em UTF-16; nada foi lido.");
        }
        return [this, read, failure] { showRead(std::move(*read), failure); };
    });
}

void ImportPane::showRead(ReadPage read, const QString& failure)
{
    reading_ = true; // until the source box shows it too
    if (message_)
        message_->setText(failure);
    // The page view loads nothing the page names and shows markup written
    // from it that lays out quickly; the source box keeps the page whole as
    // fetched, and shows what it can lay out quickly, in a pass of its own.
    if (page_)
        page_->showPage(read.page);
    work_.then([this, text = std::move(read.text), shown = std::move(read.sourceShown)]() mutable {
        if (source_)
            source_->setText(std::move(text), shown);
        reading_ = false;
        emit pageShown();
        if (ChordFinder* finder = std::exchange(scanWhenShown_, nullptr))
            lerCifras(*finder);
    });
}

void ImportPane::showFetching(bool fetching)
{
    if (!screen_)
        return;
    // Disabling the screen takes the keyboard focus from its control; the
    // control gets it back when the fetch ends, so typing goes on where it was.
    if (fetching)
        focusBeforeFetch_ = screen_->focusWidget();
    screen_->setEnabled(!fetching);
    if (!fetching && focusBeforeFetch_)
        focusBeforeFetch_->setFocus(Qt::OtherFocusReason);
    if (fetching && !indicator_) {
        indicator_ = new platform::ActivityIndicator(screen_);
        indicator_->setObjectName(QStringLiteral("indicadorImportar"));
    }
    if (!indicator_)
        return;
    if (fetching) {
        indicator_->setCenter(screen_->rect().center());
        indicator_->startAnimating();
    } else {
        indicator_->stopAnimating();
    }
}

void ImportPane::lerCifras(ChordFinder& finder)
{
    if (reading_) {
        scanWhenShown_ = &finder;
        return;
    }
    if (!source_)
        return;
    if (message_)
        message_->clear();
    const std::string text = source_->text();
    finder.lerCifras(text);
    if (plainText_)
        plainText_->setText(QString::fromStdString(text).trimmed().toStdString());
}

} // namespace finder

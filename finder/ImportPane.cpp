#include "finder/ImportPane.h"

#include "finder/ChordFinder.h"
#include "finder/ChordNameScan.h"
#include "platform/ActivityIndicator.h"
#include "platform/Log.h"
#include "platform/PageView.h"
#include "platform/TextView.h"
#include "platform/page/PageText.h"

#include <QLabel>
#include <QLineEdit>

#include <exception>

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

ImportPane::ImportPane(std::unique_ptr<platform::PageFetcher> fetcher)
    : fetcher_(std::move(fetcher))
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
}

void ImportPane::abrirCifra()
{
    // The window keeps painting while the fetch waits; no input reaches the
    // screen until it ends.
    if (fetching_ || !fetcher_ || !address_)
        return;
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

    std::string text;
    QString failure;
    if (!fetched) {
        platform::log(platform::LogLevel::Warning, "Página não carregada: " + fetched.error());
        failure = failureLine(fetched.failure());
    } else {
        // One decoding for all that reads the page: the view, the source
        // box and, from the box, the name scan.
        platform::PageText page = platform::pageText(*fetched);
        if (page.problem.empty()) {
            text = std::move(page.text);
        } else {
            // UTF-16 pages are read; a UTF-32 page, or bytes that are not
            // UTF-8, are refused.
            const std::string why = "Página não está em UTF-8 nem em UTF-16 (" + page.problem + ")";
            platform::log(platform::LogLevel::Warning, why + "; texto ignorado: " + address);
            failure = QStringLiteral("A página não está em UTF-8 nem em UTF-16; nada foi lido.");
        }
    }
    if (message_)
        message_->setText(failure);
    // The page view loads nothing the page names and shows markup written
    // from it that lays out quickly; the source box keeps the page whole as
    // fetched, and shows what it can lay out quickly.
    if (page_)
        page_->showPage(text);
    if (source_)
        source_->setText(std::move(text));
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

#include "finder/ImportPane.h"

#include "finder/ChordFinder.h"
#include "finder/ChordNameScan.h"
#include "platform/Log.h"
#include "platform/PageView.h"

#include <QLineEdit>
#include <QTextEdit>

#include <exception>

namespace finder {

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
}

void ImportPane::abrirCifra()
{
    // The window keeps painting while the fetch waits; no input reaches the
    // screen until it ends.
    if (fetching_ || !fetcher_ || !address_)
        return;
    fetching_ = true;
    if (screen_)
        screen_->setEnabled(false);
    const std::string address = address_->text().toStdString();
    platform::Result<std::string> fetched = platform::failure("not fetched");
    try {
        fetched = fetcher_->fetch(address);
    } catch (const std::exception& failure) {
        fetched = platform::failure(address + ": " + failure.what());
    }
    if (screen_)
        screen_->setEnabled(true);
    fetching_ = false;

    std::string text;
    if (!fetched) {
        platform::log(platform::LogLevel::Warning, "Página não carregada: " + fetched.error());
    } else {
        text = pageTextFromBytes(*fetched);
        if (text.empty() && !fetched->empty())
            platform::log(platform::LogLevel::Warning,
                          "Página não está em UTF-8; texto ignorado: " + address);
    }
    // The page view loads nothing the page names and shows a copy of it
    // that lays out quickly; the source keeps the page as fetched.
    if (page_)
        page_->showPage(text);
    if (source_)
        source_->setPlainText(QString::fromStdString(text));
}

void ImportPane::lerCifras(ChordFinder& finder)
{
    if (!source_)
        return;
    const QString text = source_->toPlainText();
    finder.lerCifras(text.toStdString());
    if (plainText_)
        plainText_->setPlainText(text.trimmed());
}

} // namespace finder

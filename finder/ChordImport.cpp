// Chord names from a web page: the page the user names is shown and its text
// kept; its bold chord names then join the favourites.
#include "finder/ChordNameScan.h"
#include "finder/FirstViewController.h"
#include "platform/Log.h"
#include "platform/PageView.h"

namespace finder {

void FirstViewController::abrirCifra(QObject*)
{
    const std::string address = LinkCifra ? LinkCifra->text().toStdString() : std::string();
    std::string text;
    if (pageFetcher_) {
        // The fetch is bounded in time and size; the window keeps painting
        // while it runs.
        const auto page = pageFetcher_->fetch(address);
        if (!page) {
            platform::log(platform::LogLevel::Warning, "Página não carregada: " + page.error());
        } else {
            text = pageTextFromBytes(*page);
            if (text.empty() && !page->empty())
                platform::log(platform::LogLevel::Warning,
                              "Página não está em UTF-8; texto ignorado: " + address);
        }
    }
    // Only the page view shows a page: a plain text browser would load what
    // the page names.
    if (auto* page = qobject_cast<platform::PageView*>(WebViewCifra.data()))
        page->showPage(text);
    if (textHTML)
        textHTML->setPlainText(QString::fromStdString(text));
}

void FirstViewController::lerCifras(QObject*)
{
    if (!textHTML)
        return;
    const std::string text = textHTML->toPlainText().toStdString();
    if (allTableData && filteredFavorite)
        for (const auto& chord : chordsNamedInText(text, *allTableData))
            filteredFavorite->push_back(chord);
    if (textPlain)
        textPlain->setPlainText(QString::fromStdString(text).trimmed());
}

} // namespace finder

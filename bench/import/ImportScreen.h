#pragma once
// The main screen with its import tab in front, for the import benchmarks: a
// page written to a file and its address typed into the pane, and a button
// clicked with the event loop run as the window runs it until the screen is
// idle again (the text boxes lay long documents out in pieces on a timer).
#include "finder/FirstViewController.h"
#include "tests/support/UntilIdle.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdlib>
#include <memory>
#include <string>

namespace importbench {

class ImportScreen {
public:
    ImportScreen()
    {
        controller_->outlet<QTabWidget>("painelLateral")
            ->setCurrentWidget(controller_->outlet<QWidget>("abaImportar"));
        controller_->view()->show();
        QCoreApplication::processEvents();
    }

    finder::FirstViewController& controller() { return *controller_; }

    void typePage(const std::string& page)
    {
        const QString path = dir_.filePath(QStringLiteral("page.html"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(page.data(), static_cast<qint64>(page.size())) !=
                static_cast<qint64>(page.size()))
            std::abort();
        file.close();
        controller_->outlet<QLineEdit>("LinkCifra")->setText(QUrl::fromLocalFile(path).toString());
    }

    // Clicks the button and runs the event loop until the page asked for is
    // shown and the screen is idle, at most a minute.
    untilidle::Passes click(const char* button)
    {
        finder::ImportPane& pane = controller_->importPane();
        return untilidle::untilIdleAfter(
            *controller_->view(), [&] { controller_->outlet<QAbstractButton>(button)->click(); },
            60, [&] { return !pane.reading(); });
    }

private:
    // The program's own budget of layout time, on the real clock.
    std::shared_ptr<finder::FirstViewController> controller_ =
        std::make_shared<finder::FirstViewController>(std::make_unique<platform::CurlPageFetcher>(),
                                                      platform::LayoutBudget::realTime());
    QTemporaryDir dir_;
};

} // namespace importbench

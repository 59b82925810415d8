#pragma once
// Waiting for the import pane to show the page asked for last: it is read
// off the main thread and shown by queued calls, so the test runs the event
// loop until then (at most a minute, a bound no test should come near).
#include "finder/FirstViewController.h"
#include "finder/ImportPane.h"

#include <QSignalSpy>

namespace support {

inline bool pageShown(finder::ImportPane& pane)
{
    if (!pane.reading())
        return true;
    QSignalSpy shown(&pane, &finder::ImportPane::pageShown);
    return shown.wait(60000);
}

inline bool pageShown(finder::FirstViewController& screen)
{
    return pageShown(screen.importPane());
}

} // namespace support

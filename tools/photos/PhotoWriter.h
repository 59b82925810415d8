#pragma once
// Renders the photographs of many stems into a folder, on several threads.
#include "tools/photos/ChordPhoto.h"
#include "tools/photos/PhotoStems.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace photos {

constexpr int kJpegQuality = 85;

// Writes `<stem>.jpg` for every entry into `folder`, each file replaced whole or
// not at all. Returns how many could not be written; each of those is logged.
int writePhotos(const ChordPhotoPainter& painter, const std::vector<StemShape>& shapes,
                const QString& folder, int threads,
                const std::function<void(const std::string&)>& log);

} // namespace photos

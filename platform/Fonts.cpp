#include "platform/Fonts.h"

#include "platform/Bundle.h"
#include "platform/Log.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <cmath>
#include <map>

namespace platform {
namespace {

// Adds the bundle's font file "<family>.ttf" to the fonts the program may
// use; true when it holds that family.
bool loadBundledFont(const std::string& family)
{
    const auto path = Bundle::main().pathForResource(family, "ttf");
    if (!path)
        return false;
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(*path));
    if (id < 0) {
        log(LogLevel::Warning, "fonte ilegível: " + *path);
        return false;
    }
    return QFontDatabase::applicationFontFamilies(id).contains(QString::fromStdString(family));
}

} // namespace

QFont fontWithName(const std::string& family, double size)
{
    // Whether each family is installed, asked of the font database once:
    // cells ask for their font on every paint.
    static std::map<std::string, bool> installed;
    QFont font = QGuiApplication::font();
    const QString name = QString::fromStdString(family);
    auto [entry, firstAsk] = installed.try_emplace(family, false);
    if (firstAsk) {
        entry->second = QFontDatabase::families().contains(name) || loadBundledFont(family);
        if (!entry->second)
            log("Fonte \"" + family + "\" não instalada; usando a fonte padrão \"" +
                font.family().toStdString() + "\"");
    }
    if (entry->second)
        font.setFamily(name);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    return font;
}

} // namespace platform

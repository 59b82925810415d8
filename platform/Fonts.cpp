#include "platform/Fonts.h"

#include "platform/Log.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <set>

namespace platform {

QFont fontWithName(const std::string& family, double size)
{
    static std::set<std::string> reported;
    QFont font = QGuiApplication::font();
    const QString name = QString::fromStdString(family);
    if (QFontDatabase::families().contains(name)) {
        font.setFamily(name);
    } else if (reported.insert(family).second) {
        log("Fonte \"" + family + "\" não instalada; usando a fonte padrão \"" +
            font.family().toStdString() + "\"");
    }
    font.setPixelSize(std::max(1, static_cast<int>(size + 0.5)));
    return font;
}

} // namespace platform

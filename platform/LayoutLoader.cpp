#include "platform/LayoutLoader.h"

#include "platform/ActivityIndicator.h"
#include "platform/Bundle.h"
#include "platform/Button.h"
#include "platform/Log.h"
#include "platform/PageView.h"

#include <QFile>
#include <QUiLoader>
#include <map>

namespace platform {
namespace {
std::map<std::string, WidgetFactory>& factories()
{
    static std::map<std::string, WidgetFactory> map = {
        {"platform::Button", [](QWidget* p) -> QWidget* { return new Button(p); }},
        {"platform::ActivityIndicator",
         [](QWidget* p) -> QWidget* { return new ActivityIndicator(p); }},
        {"platform::PageView", [](QWidget* p) -> QWidget* { return new PageView(p); }},
    };
    return map;
}

class Loader : public QUiLoader {
public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override
    {
        auto& map = factories();
        if (auto it = map.find(className.toStdString()); it != map.end()) {
            QWidget* w = it->second(parent);
            w->setObjectName(name);
            return w;
        }
        return QUiLoader::createWidget(className, parent, name);
    }
};
} // namespace

void registerWidgetClass(const std::string& className, WidgetFactory factory)
{
    factories()[className] = std::move(factory);
}

QWidget* loadLayout(const std::string& name, QWidget* parent)
{
    auto path = Bundle::main().pathForResource(name, "ui");
    if (!path) {
        log("Layout não encontrado: " + name + ".ui");
        return nullptr;
    }
    QFile file(QString::fromStdString(*path));
    if (!file.open(QIODevice::ReadOnly)) {
        log("Layout ilegível: " + *path);
        return nullptr;
    }
    Loader loader;
    QWidget* widget = loader.load(&file, parent);
    if (!widget)
        log("Layout inválido: " + *path + ": " + loader.errorString().toStdString());
    return widget;
}

} // namespace platform

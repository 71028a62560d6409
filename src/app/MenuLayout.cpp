#include "MenuLayout.h"

#include "ui/AssetPictures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace tessaro::app {

namespace {

MenuItem readItem(const QJsonObject& object) {
    MenuItem item;
    item.command = object.value("command").toString();
    item.caption = object.value("caption").toString();
    item.detail = object.value("detail").toString();
    item.badge = object.value("badge").toString();
    item.key = object.value("key").toString();
    item.subject = object.value("subject").toInt();
    item.paperKind = object.value("paperKind").toInt();
    return item;
}

QColor readColour(const QJsonObject& object, const char* name, const QColor& fallback) {
    const QColor colour(object.value(name).toString());
    return colour.isValid() ? colour : fallback;
}

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

bool validItem(const MenuItem& item, QString* error) {
    if (item.command.isEmpty())
        return fail(error, "a menu item has no command");
    if (item.caption.isEmpty() && item.subject == 0 && item.paperKind == 0)
        return fail(error, "menu item " + item.command + " has no caption");
    return true;
}

} // namespace

QString MenuLayout::assetFile() {
    return ui::assetPath("pic/main.menu");
}

std::optional<MenuLayout> MenuLayout::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, "cannot read " + path);
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        fail(error, parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    MenuLayout layout;
    layout.title = root.value("title").toString("Tessaro");
    layout.subtitle = root.value("subtitle").toString();
    layout.motto = root.value("motto").toString();
    layout.backgroundTop = readColour(root, "backgroundTop", QColor(22, 58, 110));
    layout.backgroundBottom = readColour(root, "backgroundBottom", QColor(231, 238, 247));
    for (const auto& value : root.value("paperTitles").toArray())
        layout.paperTitles.push_back(value.toString());
    for (const auto& sectionValue : root.value("sections").toArray()) {
        const QJsonObject object = sectionValue.toObject();
        MenuSection section;
        section.caption = object.value("caption").toString();
        section.colour = readColour(object, "colour", QColor(33, 96, 170));
        section.weight = std::clamp(object.value("weight").toDouble(1.0), 0.2, 5.0);
        for (const auto& itemValue : object.value("items").toArray()) {
            section.items.push_back(readItem(itemValue.toObject()));
            if (!validItem(section.items.back(), error))
                return std::nullopt;
        }
        layout.sections.push_back(section);
    }
    for (const auto& itemValue : root.value("footer").toArray()) {
        layout.footer.push_back(readItem(itemValue.toObject()));
        if (!validItem(layout.footer.back(), error))
            return std::nullopt;
    }
    if (layout.sections.isEmpty()) {
        fail(error, "the menu has no sections");
        return std::nullopt;
    }
    return layout;
}

QVector<QString> MenuLayout::commands() const {
    QVector<QString> names;
    for (const MenuSection& section : sections) {
        for (const MenuItem& item : section.items)
            names.push_back(item.command);
    }
    for (const MenuItem& item : footer)
        names.push_back(item.command);
    return names;
}

} // namespace tessaro::app

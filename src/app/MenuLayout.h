#pragma once

#include <QColor>
#include <QString>
#include <QVector>
#include <optional>

namespace tessaro::app {

/// One choice of the home menu: the command it raises and how its tile looks.
struct MenuItem {
    QString command;
    QString caption;   ///< shown unless the bank names the subject or paper kind
    QString detail;    ///< a second, smaller line
    QString badge;     ///< one character on the tile's badge
    QString key;       ///< optional keyboard shortcut, e.g. "F1" or "Ctrl+1"
    int subject = 0;   ///< 1..5: the caption is that subject's name from the bank
    int paperKind = 0; ///< 1..5: the caption is that paper kind's title
};

struct MenuSection {
    QString caption;
    QColor colour;
    double weight = 1.0; ///< share of the width its column takes
    QVector<MenuItem> items;
};

/// The home menu as the asset pic/main.menu describes it (JSON), so that its wording, grouping
/// and colours change without a new program.
struct MenuLayout {
    QString title;
    QString subtitle;
    QString motto;
    QColor backgroundTop;
    QColor backgroundBottom;
    QVector<MenuSection> sections;
    QVector<MenuItem> footer;
    QVector<QString> paperTitles; ///< titles of paper kinds 1..5

    /// Reads and checks a layout file; nothing when it is missing or malformed.
    static std::optional<MenuLayout> load(const QString& path, QString* error = nullptr);
    /// The layout below AppDir.
    static QString assetFile();

    /// Every command the layout raises, in reading order.
    QVector<QString> commands() const;
};

} // namespace tessaro::app

#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;

namespace tessaro::ui::look {

/// Installs the program's style, palette and fonts, and maps "宋体" (and "SimSun") to the
/// installed Chinese serif font so that every window's literal font renders.
void apply(QApplication& app);

/// The installed CJK serif family standing for 宋体, and the sans family of the menu.
QString serifFamily();
QString sansFamily();

/// 宋体 at a pixel size.
QFont songti(int pixelSize, bool bold = false);
/// The sans face of titles and the menu, at a pixel size.
QFont sans(int pixelSize, bool bold = false);

inline const QColor kDialogBackground{152, 180, 209};
inline const QColor kPanelBackground{193, 209, 227};
inline const QColor kDisabledText{128, 128, 128};
inline const QColor kAccent{33, 96, 170};
inline const QColor kAccentLight{92, 152, 222};
inline const QColor kInk{28, 38, 52};
inline const QColor kMaroon{128, 0, 0};

} // namespace tessaro::ui::look

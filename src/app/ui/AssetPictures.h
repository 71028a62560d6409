#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tessaro::ui {

/// The full path of an asset below AppDir; "pic\vrelup.bmp" and "pic/vrelup.bmp" are the same.
QString assetPath(const QString& relative);

/// Loads a picture below AppDir; a null pixmap when it is missing or unreadable.
QPixmap loadPicture(const QString& relative);

/// Loads pictures the program cannot work without. When any is missing the learner sees
/// "无法提取资源文件！" and the program ends at once, so a window never runs with blank faces.
QPixmap requirePicture(const QString& relative);
std::vector<QPixmap> requirePictures(const QStringList& relatives);

/// Reports an unreadable asset and ends the program.
[[noreturn]] void resourceFailure();

/// Tests replace the ending of the program; the hook must not return normally (throw instead).
void setTerminateHook(std::function<void()> hook);

} // namespace tessaro::ui

#include "AssetPictures.h"

#include "MessageDialog.h"
#include "store/SharedValues.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace tessaro::ui {

namespace {
std::function<void()>& terminateHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void setTerminateHook(std::function<void()> hook) {
    terminateHook() = std::move(hook);
}

QString assetPath(const QString& relative) {
    QString clean = relative;
    clean.replace('\\', '/');
    while (clean.startsWith('/'))
        clean.remove(0, 1);
    const QString appDir = QString::fromStdString(store::shared().AppDir.string());
    return QDir(appDir).filePath(clean);
}

QPixmap loadPicture(const QString& relative) {
    const QString path = assetPath(relative);
    if (!QFileInfo(path).isFile())
        return {};
    return QPixmap(path);
}

QPixmap requirePicture(const QString& relative) {
    QPixmap picture = loadPicture(relative);
    if (picture.isNull())
        resourceFailure();
    return picture;
}

std::vector<QPixmap> requirePictures(const QStringList& relatives) {
    std::vector<QPixmap> pictures;
    pictures.reserve(relatives.size());
    for (const QString& relative : relatives)
        pictures.push_back(requirePicture(relative));
    return pictures;
}

void resourceFailure() {
    ShowMsgDlg("错误", "无法提取资源文件！", 1, 2, "NO");
    if (terminateHook())
        terminateHook()();
    std::exit(EXIT_FAILURE);
}

} // namespace tessaro::ui

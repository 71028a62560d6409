#include "MusicControl.h"

namespace tessaro::ui {

namespace {
std::function<void(const QString&, bool)>& handler() {
    static std::function<void(const QString&, bool)> instance;
    return instance;
}
} // namespace

void setMusicHandler(std::function<void(const QString& file, bool on)> newHandler) {
    handler() = std::move(newHandler);
}

void PlayMusic(const QString& file, bool on) {
    if (handler())
        handler()(file, on);
}

} // namespace tessaro::ui

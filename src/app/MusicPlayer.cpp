#include "MusicPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fluidsynth.h>

namespace tessaro::app {

namespace {

// Full output of the synthesizer; its own default (0.2) is quiet next to other programs.
constexpr double kFullGain = 1.0;

void silenceSynthesizerLog() {
    static const bool done = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)done;
}

} // namespace

struct MusicPlayer::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    fluid_player_t* player = nullptr;
    QTemporaryDir scratch;

    void stopPlayer() {
        if (!player)
            return;
        fluid_player_stop(player);
        fluid_player_join(player);
        delete_fluid_player(player);
        player = nullptr;
        fluid_synth_all_sounds_off(synth, -1);
    }

    ~Engine() {
        stopPlayer();
        if (driver)
            delete_fluid_audio_driver(driver);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

MusicPlayer::MusicPlayer(const QString& audioDriver) : m_driver(audioDriver) {
    silenceSynthesizerLog();
}

MusicPlayer::~MusicPlayer() = default;

QString MusicPlayer::findSoundFont() {
    const QStringList folders = QString(TESSARO_SOUNDFONT_DIRS).split(':');
    for (const QString& folder : folders) {
        for (const char* name : {"default-GM.sf2", "TimGM6mb.sf2", "FluidR3_GM.sf2"}) {
            const QFileInfo file(QDir(folder).filePath(name));
            if (file.exists())
                return file.canonicalFilePath();
        }
    }
    return {};
}

bool MusicPlayer::openEngine() {
    if (m_engine)
        return true;
    if (m_engineFailed)
        return false;
    // The synthesizer takes the first driver it was built with, whether or not that one has a
    // server to talk to; asking in this order finds the sound output desktops actually run.
    const QStringList drivers = m_driver.isEmpty()
                                    ? QStringList{"pulseaudio", "pipewire", "alsa", "sdl2", "oss"}
                                    : QStringList{m_driver};
    for (const QString& driver : drivers) {
        auto engine = std::make_unique<Engine>();
        engine->settings = new_fluid_settings();
        if (fluid_settings_setstr(engine->settings, "audio.driver", driver.toUtf8().constData()) !=
            FLUID_OK)
            continue;
        if (driver == "file")
            fluid_settings_setstr(engine->settings, "audio.file.name",
                                  engine->scratch.filePath("music.wav").toUtf8().constData());
        engine->synth = new_fluid_synth(engine->settings);
        if (engine->synth)
            engine->driver = new_fluid_audio_driver(engine->settings, engine->synth);
        if (!engine->driver)
            continue;
        fluid_synth_set_gain(engine->synth, static_cast<float>(m_gain * kFullGain));
        m_engine = std::move(engine);
        return true;
    }
    m_engineFailed = true;
    return false;
}

bool MusicPlayer::hasSoundDevice() {
    return openEngine();
}

MusicPlayer::Result MusicPlayer::play(const QString& midiFile) {
    if (!openEngine())
        return Result::NoSoundDevice;
    stop();
    const QByteArray path = QFile::encodeName(midiFile);
    if (!QFileInfo(midiFile).isFile() || !fluid_is_midifile(path.constData()))
        return Result::CannotPlay;
    if (fluid_synth_sfcount(m_engine->synth) == 0) {
        const QString font = findSoundFont();
        if (font.isEmpty() ||
            fluid_synth_sfload(m_engine->synth, QFile::encodeName(font).constData(), 1) ==
                FLUID_FAILED)
            return Result::CannotPlay;
    }
    m_engine->player = new_fluid_player(m_engine->synth);
    if (!m_engine->player || fluid_player_add(m_engine->player, path.constData()) != FLUID_OK) {
        m_engine->stopPlayer();
        return Result::CannotPlay;
    }
    fluid_player_set_loop(m_engine->player, -1);
    if (fluid_player_play(m_engine->player) != FLUID_OK) {
        m_engine->stopPlayer();
        return Result::CannotPlay;
    }
    return Result::Ok;
}

void MusicPlayer::stop() {
    if (m_engine)
        m_engine->stopPlayer();
}

bool MusicPlayer::isPlaying() const {
    return m_engine && m_engine->player &&
           fluid_player_get_status(m_engine->player) == FLUID_PLAYER_PLAYING;
}

void MusicPlayer::setGain(double gain) {
    m_gain = std::clamp(gain, 0.0, 1.0);
    if (m_engine)
        fluid_synth_set_gain(m_engine->synth, static_cast<float>(m_gain * kFullGain));
}

} // namespace tessaro::app

#pragma once

#include <QString>
#include <memory>

namespace tessaro::app {

/// Background music: MIDI files played through a software synthesizer with a General MIDI
/// SoundFont, looping until stopped.
class MusicPlayer {
public:
    enum class Result { Ok, NoSoundDevice, CannotPlay };

    /// The audio driver to use; empty tries PulseAudio, PipeWire, ALSA, SDL and OSS in turn.
    /// The driver "file" writes the sound to a file instead, which tests use.
    explicit MusicPlayer(const QString& audioDriver = {});
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    /// Whether a sound output can be opened; it is opened on first asking and kept.
    bool hasSoundDevice();
    Result play(const QString& midiFile);
    void stop();
    bool isPlaying() const;

    /// Output gain 0.0 (silent) .. 1.0 (full).
    void setGain(double gain);
    double gain() const { return m_gain; }

    /// The General MIDI SoundFont found on this machine, empty when there is none.
    static QString findSoundFont();

private:
    struct Engine;
    bool openEngine();

    QString m_driver;
    std::unique_ptr<Engine> m_engine;
    bool m_engineFailed = false;
    double m_gain = 0.7;
};

} // namespace tessaro::app

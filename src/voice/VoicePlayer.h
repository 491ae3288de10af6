#pragma once

#include <QString>

#include <vector>

class AudioOut;

/// The one playback slot of voice memory: a WAV file's samples played once through the audio
/// output, shared by the test buttons and the voice CQ.
class VoicePlayer {
public:
    /// device −1 is the default output, as for the sidetone.
    VoicePlayer(AudioOut& out, int device);
    ~VoicePlayer();
    VoicePlayer(const VoicePlayer&) = delete;
    VoicePlayer& operator=(const VoicePlayer&) = delete;

    /// A test button: loads path and starts it unless one is playing. The text to show when the
    /// output would not open (each ending in three blanks), empty otherwise; a file that does not
    /// load does nothing, silently.
    QString PlayWave(const QString& path);
    /// The voice CQ: loads path and starts it, cutting one that plays; false when it does not load
    /// or the output does not open (then nothing plays).
    bool start(const QString& path);
    /// The done notification: once the samples have played to their end, or the output's device
    /// has gone, `CloseWave`. Called by the owner's timer and its waits.
    void poll();
    /// Stops what plays, closes the output and frees the samples.
    void CloseWave();
    /// The playing flag.
    bool playing() const { return m_playing; }
    /// How long ago what plays began to sound, in microseconds; negative before it has.
    qint64 soundingForUs() const;
    /// The last playback ended because its device went away, not because it had played.
    bool lost() const { return m_lost; }

private:
    bool load(const QString& path);
    bool open();

    AudioOut& m_out;
    const int m_device;
    std::vector<qint16> m_frames;
    int m_rate = 0;
    bool m_playing = false;
    bool m_lost = false;
};

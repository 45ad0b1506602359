// SPDX-License-Identifier: MIT
// Sound output on Linux through Qt Multimedia: a WAV image from memory, played without waiting.
#pragma once

#include <QByteArray>
#include <memory>

#include "ports.hpp"

class QAudioDevice;
class QAudioSink;
class QBuffer;

namespace vornikat {

// Plays on the default audio output, fed by the event loop of the thread that owns it (the
// GUI thread). Without a sound device or server every sound is skipped, and one line on stderr
// says so at the first sound, instead of what Qt would say. Destroy it
// before the application object. Debian's Qt 6.4 may abort while it destroys its PulseAudio
// engine, a static object, so a program that played sound ends without destroying statics
// (std::quick_exit) once its own objects are gone.
class QtSoundOutput final : public SoundPort {
  public:
    QtSoundOutput();
    ~QtSoundOutput() override;
    QtSoundOutput(const QtSoundOutput&) = delete;
    QtSoundOutput& operator=(const QtSoundOutput&) = delete;

    void PlayWave(std::span<const std::uint8_t> image) override;

  private:
    void StopPlaying();
    QAudioDevice FindOutput();

    // The sink stays after its data has run out (it reports Idle then): stopping it there
    // would drop what is still queued in the audio server, the sound's last moments.
    QByteArray samples_;
    std::unique_ptr<QBuffer> source_;
    std::unique_ptr<QAudioSink> sink_;
    bool outputSought_ = false;
};

}  // namespace vornikat

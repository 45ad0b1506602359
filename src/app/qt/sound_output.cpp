// SPDX-License-Identifier: MIT
#include "sound_output.hpp"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <chrono>
#include <cstdio>
#include <thread>

#include "held_messages.hpp"
#include "wave_image.hpp"

namespace vornikat {
namespace {

// Debian's Qt 6.4 drops its PulseAudio connection at exit without holding the connection's
// lock, and aborts if the server's answer to a closed stream (the sink going idle) is being
// handled at that moment. Closing our stream this long before the exit lets that answer in.
constexpr auto kSettleAfterClose = std::chrono::milliseconds(100);

}  // namespace

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() {
    if (sink_) {
        StopPlaying();
        std::this_thread::sleep_for(kSettleAfterClose);
    }
}

void QtSoundOutput::PlayWave(std::span<const std::uint8_t> image) {
    // A new sound cuts off the one playing, even when the new one cannot be played.
    StopPlaying();
    const auto wave = ReadWaveImage(image);
    if (!wave) {
        return;
    }
    const QAudioDevice device = FindOutput();
    if (device.isNull()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(wave->format.samplesPerSecond));
    format.setChannelCount(wave->format.channels);
    format.setSampleFormat(wave->format.bitsPerSample == 8 ? QAudioFormat::UInt8
                                                           : QAudioFormat::Int16);
    // Our own copy, so the bytes outlive the sound whatever the caller does with the image.
    samples_ = QByteArray(reinterpret_cast<const char*>(wave->samples.data()),
                          static_cast<qsizetype>(wave->samples.size()));
    source_ = std::make_unique<QBuffer>(&samples_);
    source_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(source_.get());
}

QAudioDevice QtSoundOutput::FindOutput() {
    if (outputSought_) {
        return QMediaDevices::defaultAudioOutput();
    }
    // Qt connects to the sound server once, at the first look.
    outputSought_ = true;
    // Its complaints when there is no server are held, and said in one line of our own instead.
    QAudioDevice device;
    {
        const HeldQtMessages messages;
        device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            HeldQtMessages::Drop();
        }
    }
    if (device.isNull()) {
        std::fprintf(stderr,
                     "vornikat: no sound output (is a sound server running?): playing without "
                     "sound\n");
    }
    return device;
}

void QtSoundOutput::StopPlaying() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    source_.reset();
}

}  // namespace vornikat

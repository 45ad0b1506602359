#include "sound_output.hpp"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include "wave_image.hpp"

namespace vornikat {

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() {
    StopPlaying();
}

void QtSoundOutput::PlayWave(std::span<const std::uint8_t> image) {
    // A new sound cuts off the one playing, even when the new one cannot be played.
    StopPlaying();
    const auto wave = ReadWaveImage(image);
    if (!wave) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
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

void QtSoundOutput::StopPlaying() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    source_.reset();
}

}  // namespace vornikat

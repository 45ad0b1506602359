// SPDX-License-Identifier: MIT
#include "sound_output.hpp"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

#include "pulse_simple_library.hpp"

namespace vornikat {
namespace {

// The server holds this much ahead of what is heard: enough to ride out a busy moment, little
// enough that a new sound cuts the old one off at once.
constexpr std::uint32_t kBufferedMs = 100;
// Written a piece at a time, so that a new sound is taken up between two pieces.
constexpr std::uint32_t kPieceMs = 20;

std::uint32_t FrameBytes(const WaveFormat& format) {
    return format.channels * format.bitsPerSample / 8U;
}

std::uint32_t BytesFor(const WaveFormat& format, std::uint32_t milliseconds) {
    return std::max<std::uint32_t>(1, format.samplesPerSecond * milliseconds / 1000) *
           FrameBytes(format);
}

bool SameFormat(const WaveFormat& a, const WaveFormat& b) {
    return a.channels == b.channels && a.samplesPerSecond == b.samplesPerSecond &&
           a.bitsPerSample == b.bitsPerSample;
}

// One playback stream on the server, opened for one format and kept while sounds have it.
class ServerStream {
  public:
    ServerStream() = default;
    ~ServerStream() { Close(); }
    ServerStream(const ServerStream&) = delete;
    ServerStream& operator=(const ServerStream&) = delete;

    // False when the library or the server cannot be reached.
    bool OpenFor(const WaveFormat& format) {
        if (stream_ != nullptr && SameFormat(format, format_)) {
            return true;
        }
        Close();
        library_ = LoadPulseSimple();
        if (library_ == nullptr) {
            return false;
        }
        const pa_sample_spec sampleFormat{
            format.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, format.samplesPerSecond,
            static_cast<std::uint8_t>(format.channels)};
        const std::uint32_t any = static_cast<std::uint32_t>(-1);
        // Playing starts with the first piece; a sound shorter than a piece is padded to one.
        const pa_buffer_attr buffer{any, BytesFor(format, kBufferedMs), BytesFor(format, kPieceMs),
                                    any, any};
        stream_ = library_->open(nullptr, "Vornikat", PA_STREAM_PLAYBACK, nullptr, "answer sound",
                                 &sampleFormat, nullptr, &buffer, nullptr);
        format_ = format;
        return stream_ != nullptr;
    }

    // Waits while the server's buffer is full; false when the server has gone.
    bool Write(std::span<const std::uint8_t> piece) {
        if (library_->write(stream_, piece.data(), piece.size(), nullptr) < 0) {
            Close();
            return false;
        }
        return true;
    }

    // Drops what the server holds of the sound and has not played yet.
    void Cut() {
        if (stream_ != nullptr) {
            library_->flush(stream_, nullptr);
        }
    }

    void Close() {
        if (stream_ != nullptr) {
            library_->close(stream_);
            stream_ = nullptr;
        }
    }

  private:
    const PulseSimpleLibrary* library_ = nullptr;
    pa_simple* stream_ = nullptr;
    WaveFormat format_;
};

// Our own copy of a sound's samples, whatever the caller does with the image; a sound shorter
// than a piece is padded with silence to one.
struct Sound {
    WaveFormat format;
    std::vector<std::uint8_t> samples;
};

std::optional<Sound> CopySound(std::span<const std::uint8_t> image) {
    const auto wave = ReadWaveImage(image);
    if (!wave) {
        return std::nullopt;
    }
    Sound sound{wave->format, {wave->samples.begin(), wave->samples.end()}};
    const std::uint8_t silence = wave->format.bitsPerSample == 8 ? 0x80 : 0;
    sound.samples.resize(
        std::max<std::size_t>(sound.samples.size(), BytesFor(wave->format, kPieceMs)), silence);
    return sound;
}

void ReportNoOutput() {
    std::fprintf(stderr,
                 "vornikat: no sound output (is a sound server running?): playing without "
                 "sound\n");
}

// How long the end of the program waits for the thread to close its stream.
constexpr auto kPatienceAtEnd = std::chrono::seconds(1);

}  // namespace

struct PulseSoundOutput::Requests {
    std::mutex mutex;
    std::condition_variable changed;
    bool cut = false;           // a new sound, or none, is asked for
    std::optional<Sound> next;  // the new sound; none when the image cannot be played
    bool ending = false;
    bool ended = false;
    std::promise<void> connected;

    bool Interrupted() {
        const std::lock_guard lock(mutex);
        return cut || ending;
    }
};

PulseSoundOutput::PulseSoundOutput()
    : requests_(std::make_shared<Requests>()), ready_(requests_->connected.get_future().share()) {}

PulseSoundOutput::~PulseSoundOutput() {
    std::unique_lock lock(requests_->mutex);
    requests_->ending = true;
    requests_->changed.notify_all();
    if (!player_.joinable()) {
        return;
    }
    const bool ended =
        requests_->changed.wait_for(lock, kPatienceAtEnd, [this] { return requests_->ended; });
    lock.unlock();
    if (ended) {
        player_.join();
    } else {
        player_.detach();
    }
}

void PulseSoundOutput::PlayWave(std::span<const std::uint8_t> image) {
    // A new sound cuts off the one playing, even when the new one cannot be played.
    auto sound = CopySound(image);
    {
        const std::lock_guard lock(requests_->mutex);
        requests_->cut = true;
        requests_->next = std::move(sound);
    }
    requests_->changed.notify_all();
    StartPlayer(std::nullopt);
}

std::shared_future<void> PulseSoundOutput::LoadClient(std::span<const std::uint8_t> image) {
    const auto wave = ReadWaveImage(image);
    StartPlayer(wave ? std::optional(wave->format) : std::nullopt);
    return ready_;
}

void PulseSoundOutput::StartPlayer(std::optional<WaveFormat> format) {
    if (!player_.joinable()) {
        player_ = std::thread(PlayRequests, requests_, format);
    }
}

void PulseSoundOutput::PlayRequests(const std::shared_ptr<Requests>& requests,
                                    std::optional<WaveFormat> format) {
    ServerStream stream;
    if (format) {
        // A server missing now is said at the first sound.
        stream.OpenFor(*format);
    }
    requests->connected.set_value();
    bool reported = false;
    for (;;) {
        std::optional<Sound> sound;
        {
            std::unique_lock lock(requests->mutex);
            requests->changed.wait(lock, [&] { return requests->cut || requests->ending; });
            if (requests->ending) {
                break;
            }
            requests->cut = false;
            sound = std::move(requests->next);
            requests->next.reset();
        }
        stream.Cut();
        if (!sound) {
            continue;
        }
        if (!stream.OpenFor(sound->format)) {
            if (!reported) {
                ReportNoOutput();
                reported = true;
            }
            continue;
        }
        const std::span<const std::uint8_t> samples = sound->samples;
        const std::size_t piece = BytesFor(sound->format, kPieceMs);
        for (std::size_t at = 0; at < samples.size() && !requests->Interrupted(); at += piece) {
            if (!stream.Write(samples.subspan(at, std::min(piece, samples.size() - at)))) {
                break;
            }
        }
    }
    stream.Close();
    const std::lock_guard lock(requests->mutex);
    requests->ended = true;
    requests->changed.notify_all();
}

}  // namespace vornikat

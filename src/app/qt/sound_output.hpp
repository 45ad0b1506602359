// SPDX-License-Identifier: MIT
// Sound output on Linux through the sound server (PulseAudio, or PipeWire's pulse server): a WAV
// image from memory, played on a thread of its own.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ports.hpp"
#include "wave_image.hpp"

namespace vornikat {

// Nothing of it is loaded before the program asks (LoadClient, or the first sound), so that it
// costs the start nothing. Without the client library or a server every sound is skipped, and
// one line on stderr says so at the first sound; each later sound tries the server again.
class PulseSoundOutput final : public SoundPort {
  public:
    PulseSoundOutput();
    // Cuts off the sound playing.
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput&) = delete;
    PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

    void PlayWave(std::span<const std::uint8_t> image) override;

    // Starts the output's thread, which loads the server's client and opens a stream for
    // sounds of this image's format, ahead of the first sound; the program calls it once its
    // first window is on screen. Ready once the stream is open or the server found missing.
    std::shared_future<void> LoadClient(std::span<const std::uint8_t> image);

  private:
    // Our own copy of a sound's samples, whatever the caller does with the image.
    struct Sound {
        WaveFormat format;
        std::vector<std::uint8_t> samples;
    };

    static std::optional<Sound> CopySound(std::span<const std::uint8_t> image);
    void StartPlayer(std::optional<WaveFormat> format);
    void PlayRequests(std::optional<WaveFormat> format);
    bool Interrupted();

    std::mutex mutex_;
    std::condition_variable requested_;
    bool cut_ = false;           // a new sound, or none, is asked for
    std::optional<Sound> next_;  // the new sound; none when the image cannot be played
    bool ending_ = false;
    std::promise<void> connected_;
    std::shared_future<void> ready_ = connected_.get_future().share();
    std::thread player_;
};

}  // namespace vornikat

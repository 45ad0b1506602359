// SPDX-License-Identifier: MIT
// Sound output on Linux through the sound server (PulseAudio, or PipeWire's pulse server): a WAV
// image from memory, played on a thread of its own.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "ports.hpp"
#include "wave_image.hpp"

namespace vornikat {

// Nothing of it is loaded before the program asks (LoadClient, or the first sound), so that it
// costs the start nothing. Without the client library or a server every sound is skipped, and
// one line on stderr says so at the first sound; each later sound tries the server again.
class PulseSoundOutput final : public SoundPort {
  public:
    PulseSoundOutput();
    // Cuts off the sound playing. A server that has stopped taking sound may hold the thread
    // in a write: it is then left behind rather than holding up the program's end.
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput&) = delete;
    PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

    void PlayWave(std::span<const std::uint8_t> image) override;

    // Starts the output's thread, which loads the server's client and opens a stream for
    // sounds of this image's format, ahead of the first sound; the program calls it once its
    // first window is on screen. Ready once the stream is open or the server found missing.
    std::shared_future<void> LoadClient(std::span<const std::uint8_t> image);

  private:
    // What the output's thread shares with it, kept alive by the thread too.
    struct Requests;

    void StartPlayer(std::optional<WaveFormat> format);
    static void PlayRequests(const std::shared_ptr<Requests>& requests,
                             std::optional<WaveFormat> format);

    std::shared_ptr<Requests> requests_;
    std::shared_future<void> ready_;
    std::thread player_;
};

}  // namespace vornikat

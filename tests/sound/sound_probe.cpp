// SPDX-License-Identifier: MIT
// sound_probe: drives the sound output the way the quiz does, for the sound tests.
// Steps: "play:ID" plays sound ID from the embedded resources and prints how long the call
// took; "file:PATH" plays the WAV file at PATH the same way; "wait:MS" waits MS milliseconds.
// The client is loaded and connected first, as the quiz has it long before its first sound; the
// output goes at the end at once, sound playing or not, as it goes when the quiz ends.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "embedded_resources.hpp"
#include "sound_output.hpp"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Plays an image and reports how long the call took.
void Play(vornikat::SoundPort& output, std::span<const std::uint8_t> image,
          const std::string& what) {
    const auto started = std::chrono::steady_clock::now();
    output.PlayWave(image);
    const auto took = std::chrono::steady_clock::now() - started;
    std::printf("play %s took %lld ms\n", what.c_str(),
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    vornikat::EmbeddedResources resources;
    vornikat::PulseSoundOutput output;
    output.LoadClient(*vornikat::EmbeddedSound(101)).wait();
    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const auto colon = step.find(':');
        const std::string verb = step.substr(0, colon);
        const std::string argument = colon == std::string::npos ? "" : step.substr(colon + 1);
        if (verb == "play") {
            const auto image = resources.LoadResource("SOUNDS", std::stoi(argument));
            if (!image) {
                std::fprintf(stderr, "sound_probe: no sound %s\n", argument.c_str());
                return 2;
            }
            Play(output, *image, argument);
        } else if (verb == "file") {
            Play(output, ReadFile(argument), argument);
        } else if (verb == "wait") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argument)));
        } else {
            std::fprintf(stderr, "usage: sound_probe [play:ID | file:PATH | wait:MS]...\n");
            return 2;
        }
    }
    return 0;
}

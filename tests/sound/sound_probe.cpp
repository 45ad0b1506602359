// SPDX-License-Identifier: MIT
// sound_probe: drives the Qt sound output the way the quiz does, for the sound tests.
// Steps: "play:ID" plays sound ID from the embedded resources and prints how long the call
// took; "file:PATH" plays the WAV file at PATH the same way; "wait:MS" runs the event loop for
// MS milliseconds. The program then tears down at once, sound playing or not, and ends the way
// the quiz ends: without running the destructors of static objects.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "embedded_resources.hpp"
#include "sound_output.hpp"

namespace {

void RunEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

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

int RunSteps(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    vornikat::EmbeddedResources resources;
    vornikat::QtSoundOutput output;
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
            RunEventLoopFor(std::stoi(argument));
        } else {
            std::fprintf(stderr, "usage: sound_probe [play:ID | file:PATH | wait:MS]...\n");
            return 2;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = RunSteps(argc, argv);
    // Debian's Qt 6.4 may abort while it destroys its PulseAudio engine, a static object (it
    // drops the connection without the lock its thread holds), so statics are not destroyed.
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::fflush(stdout);
    std::quick_exit(status);
}

// SPDX-License-Identifier: MIT
#include "sound_synth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vornikat::resgen {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRate = kSampleRate;
// Every sound ends in this much silence, so that an audio stack that drops the last
// ~100 ms of a stream loses nothing audible.
constexpr double kTrailingSilence = 0.2;
// Partials above this are left out: they would fold back below the Nyquist frequency.
constexpr double kHighestPartial = 4800.0;

// Rises from 0 to 1 over [0, width] along half a cosine: no step, so no click.
double SoftEdge(double t, double width) {
    if (t <= 0.0) {
        return 0.0;
    }
    if (t >= width) {
        return 1.0;
    }
    const double s = std::sin(0.5 * kPi * t / width);
    return s * s;
}

// Scales to the given peak and renders 8-bit unsigned; 128 is silence.
std::vector<std::uint8_t> Render(const std::vector<double>& signal, double peak) {
    double loudest = 0.0;
    for (const double x : signal) {
        loudest = std::max(loudest, std::abs(x));
    }
    std::vector<std::uint8_t> samples(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double level = std::floor(128.5 + 127.0 * peak * signal[i] / loudest);
        samples[i] = static_cast<std::uint8_t>(std::clamp(level, 0.0, 255.0));
    }
    return samples;
}

struct Bell {
    double start;  // seconds
    double frequency;
    double decay;  // time constant in seconds
};

}  // namespace

std::vector<std::uint8_t> SynthesizeChime() {
    // C6, E6, G6 and a ringing C7: a major arpeggio going up sounds like success.
    constexpr Bell kBells[] = {{0.000, 1046.50, 0.09},
                               {0.055, 1318.51, 0.09},
                               {0.110, 1567.98, 0.10},
                               {0.165, 2093.00, 0.15}};
    constexpr double kPartials[][2] = {{1.0, 1.0}, {2.0, 0.30}, {3.0, 0.10}};
    const double soundEnd = static_cast<double>(kChimeSamples) / kRate - kTrailingSilence;
    constexpr double kFadeOut = 0.10;

    std::vector<double> signal(kChimeSamples, 0.0);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double x = 0.0;
        for (const Bell& bell : kBells) {
            const double local = t - bell.start;
            if (local <= 0.0) {
                continue;
            }
            const double envelope = SoftEdge(local, 0.005) * std::exp(-local / bell.decay);
            for (const auto& [multiple, weight] : kPartials) {
                const double f = bell.frequency * multiple;
                if (f < kHighestPartial) {
                    // Higher partials die away sooner, as on a struck bar.
                    x += weight * envelope * std::exp(-local * (multiple - 1.0) / 0.08) *
                         std::sin(2.0 * kPi * f * local);
                }
            }
        }
        signal[i] = x * SoftEdge(soundEnd - t, kFadeOut);
    }
    return Render(signal, 0.85);
}

std::vector<std::uint8_t> SynthesizeBuzz() {
    struct Note {
        double start;
        double length;
        double from;  // Hz at the start
        double to;    // Hz at the end
    };
    // F#3, F3, then E3 sagging to D3: the falling "you lost" phrase.
    constexpr Note kNotes[] = {
        {0.000, 0.190, 185.0, 183.0}, {0.210, 0.190, 174.6, 172.0}, {0.420, 0.420, 164.8, 140.0}};
    constexpr double kAttack = 0.012;
    constexpr double kRelease = 0.030;
    constexpr double kVibratoRate = 6.5;
    constexpr double kVibratoDepth = 0.03;

    std::vector<double> signal(kBuzzSamples, 0.0);
    double phase = 0.0;
    double frequency = kNotes[0].from;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double amplitude = 0.0;
        double brightness = 1.0;
        for (std::size_t n = 0; n < std::size(kNotes); ++n) {
            const Note& note = kNotes[n];
            const double local = t - note.start;
            if (local < 0.0 || local > note.length) {
                continue;
            }
            const double progress = local / note.length;
            frequency = note.from + (note.to - note.from) * progress;
            if (n + 1 == std::size(kNotes)) {
                const double depth = kVibratoDepth * SoftEdge(local, 0.15);
                frequency *= 1.0 + depth * std::sin(2.0 * kPi * kVibratoRate * local);
            }
            amplitude = SoftEdge(local, kAttack) * SoftEdge(note.length - local, kRelease);
            // The "wah": the tone opens up early in each note and closes again towards its end.
            brightness = 1.5 + 7.0 * std::pow(std::sin(kPi * std::min(1.0, progress * 1.6)), 0.8);
        }
        // One phase across all notes, so the pitch never jumps mid-wave.
        phase += 2.0 * kPi * frequency / kRate;
        double x = 0.0;
        for (int k = 1; k * frequency < kHighestPartial; ++k) {
            x += std::exp(-(k - 1) / brightness) / k * std::sin(k * phase);
        }
        signal[i] = amplitude * x;
    }
    return Render(signal, 0.80);
}

}  // namespace vornikat::resgen

// SPDX-License-Identifier: MIT
// The Qt sound output heard for real: a private PulseAudio server with a null sink, whose
// monitor is recorded while the probe program plays the embedded sounds; and no server at all.
#include <gtest/gtest.h>

#include <signal.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <thread>

#include "child_process.hpp"
#include "embedded_resources.hpp"
#include "script_runner.hpp"
#include "wave_image.hpp"

namespace vornikat::testing {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr double kRate = 11025;
// Quieter than this counts as silence: 2 steps of an 8-bit sample, in 16-bit units.
constexpr int kLoud8 = 2;
constexpr int kLoud16 = kLoud8 * 256;
// Silence this long separates two sounds; the pauses inside sound 102 are shorter.
constexpr double kSeparatingSilence = 0.15;
// A call that waits for its sound would take at least the sound's 0.68 s.
constexpr long kPromptMs = 300;

struct Burst {
    double start;   // seconds into the recording
    double length;  // from the first loud sample to the last
    int peak;
};

std::vector<Burst> FindBursts(const std::vector<std::int16_t>& samples) {
    std::vector<Burst> bursts;
    std::size_t first = 0;
    std::size_t last = 0;
    int peak = 0;
    bool open = false;
    const auto close = [&] { bursts.push_back({first / kRate, (last - first) / kRate, peak}); };
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int level = std::abs(static_cast<int>(samples[i]));
        if (level < kLoud16) {
            continue;
        }
        if (open && (i - last) / kRate > kSeparatingSilence) {
            close();
            open = false;
        }
        if (!open) {
            first = i;
            peak = 0;
            open = true;
        }
        last = i;
        peak = std::max(peak, level);
    }
    if (open) {
        close();
    }
    return bursts;
}

// How long a sound is audible, measured as FindBursts measures a recording.
double AudibleLength(int id) {
    const auto samples = ReadWaveImage(*EmbeddedSound(id))->samples;
    std::size_t first = samples.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i] - 128) >= kLoud8) {
            first = std::min(first, i);
            last = i;
        }
    }
    return (last - first) / kRate;
}

// The measured bursts go into the test report (--gtest_output=xml), so that runs under load
// show how far the measurements spread from what the tolerances allow.
void RecordBursts(const std::vector<Burst>& bursts) {
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        const std::string name = "burst" + std::to_string(i);
        ::testing::Test::RecordProperty(name + "_start_ms",
                                        static_cast<int>(std::lround(bursts[i].start * 1000)));
        ::testing::Test::RecordProperty(name + "_length_ms",
                                        static_cast<int>(std::lround(bursts[i].length * 1000)));
    }
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The milliseconds each "play" step of the probe took, from its output.
std::vector<long> PlayTimes(const std::string& output) {
    static const std::regex kLine(R"(play \d+ took (\d+) ms)");
    std::vector<long> times;
    for (std::sregex_iterator it(output.begin(), output.end(), kLine), end; it != end; ++it) {
        times.push_back(std::stol((*it)[1]));
    }
    return times;
}

std::vector<std::string> ProbeCommand(const std::vector<std::string>& steps) {
    std::vector<std::string> argv = {VORNIKAT_SOUND_PROBE_PATH};
    argv.insert(argv.end(), steps.begin(), steps.end());
    return argv;
}

class RecordedSound : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"pulseaudio", "pactl", "parec"}) {
            if (!OnPath(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
        const fs::path dir = dir_.Path();
        environment_ = EnvironmentWith({{"XDG_RUNTIME_DIR", dir.string()},
                                        {"HOME", dir.string()},
                                        {"PULSE_SERVER", "unix:" + (dir / "native").string()}});
        // The null sink's rewinds lose time on its monitor whenever a stream starts; real
        // devices play those samples, so the sink is told not to rewind.
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{
                "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                "--realtime=no", "--high-priority=no", "-L",
                "module-native-protocol-unix auth-anonymous=1 socket=" + (dir / "native").string(),
                "-L", "module-null-sink sink_name=vornikat_test norewinds=1"},
            environment_, dir / "pulseaudio.log");
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (RunToEnd({"pactl", "info"}, environment_, dir / "pactl.log", 5s) == 0) {
                return;
            }
            std::this_thread::sleep_for(100ms);
        }
        FAIL() << "PulseAudio did not come up:\n" << ReadText(dir / "pulseaudio.log");
    }

    // Records the sink while the probe runs these steps; the probe's output goes to probeOutput_.
    std::vector<std::int16_t> RecordProbe(const std::vector<std::string>& steps) {
        const fs::path recording = dir_.Path() / "recording.raw";
        ChildProcess recorder({"parec", "--latency-msec=20", "--device=vornikat_test.monitor",
                               "--format=s16le", "--rate=11025", "--channels=1", "--raw"},
                              environment_, recording);
        for (int attempt = 0; attempt < 500 && fs::file_size(recording) == 0; ++attempt) {
            std::this_thread::sleep_for(10ms);
        }
        const fs::path output = dir_.Path() / "probe.txt";
        probeStatus_ = RunToEnd(ProbeCommand(steps), environment_, output, 30s);
        probeOutput_ = ReadText(output);
        std::this_thread::sleep_for(300ms);
        recorder.Signal(SIGINT);
        recorder.Wait(5s);

        std::ifstream in(recording, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        std::vector<std::int16_t> samples(bytes.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] =
                static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                          static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
        }
        return samples;
    }

    TempDir dir_;
    std::vector<std::string> environment_;
    std::unique_ptr<ChildProcess> server_;
    std::optional<int> probeStatus_;
    std::string probeOutput_;
};

TEST_F(RecordedSound, BothSoundsArriveWholeWhilePlayingReturnsAtOnce) {
    const auto bursts = FindBursts(RecordProbe({"play:101", "wait:1000", "play:102", "wait:1500"}));
    ASSERT_EQ(probeStatus_, 0) << probeOutput_;
    for (const long ms : PlayTimes(probeOutput_)) {
        EXPECT_LT(ms, kPromptMs) << "playing waited for the sound";
    }
    EXPECT_EQ(PlayTimes(probeOutput_).size(), 2U) << probeOutput_;
    ASSERT_EQ(bursts.size(), 2U) << "sounds heard: " << bursts.size();
    RecordBursts(bursts);
    EXPECT_NEAR(bursts[0].length, AudibleLength(101), 0.05);
    EXPECT_NEAR(bursts[1].length, AudibleLength(102), 0.05);
    EXPECT_NEAR(bursts[1].start - bursts[0].start, 1.0, 0.15);
    for (const auto& burst : bursts) {
        EXPECT_GT(burst.peak, 16384) << "far quieter than the sound itself";
    }
}

TEST_F(RecordedSound, ASoundEndingWithoutSilenceIsHeardToItsLastSample) {
    // Half a second of a loud 440 Hz tone that stops dead: whatever the server still holds
    // when the sink has handed over its last sample must be heard too.
    constexpr std::size_t kSamples = 5513;
    std::vector<std::uint8_t> wave = {'R', 'I', 'F', 'F', 0,    0,    0,   0,   'W',  'A',
                                      'V', 'E', 'f', 'm', 't',  ' ',  16,  0,   0,    0,
                                      1,   0,   1,   0,   0x11, 0x2B, 0,   0,   0x11, 0x2B,
                                      0,   0,   1,   0,   8,    0,    'd', 'a', 't',  'a'};
    const auto putUint32 = [&](std::size_t at, std::size_t value) {
        for (int i = 0; i < 4; ++i) {
            wave[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    wave.resize(44 + kSamples);
    putUint32(4, 36 + kSamples);
    putUint32(40, kSamples);
    for (std::size_t i = 0; i < kSamples; ++i) {
        wave[44 + i] = static_cast<std::uint8_t>(128 + 100 * std::sin(2 * M_PI * 440 * i / kRate));
    }
    wave.push_back(0);
    const fs::path file = dir_.Path() / "tone.wav";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(wave.data()),
               static_cast<std::streamsize>(wave.size()));

    const auto bursts = FindBursts(RecordProbe({"file:" + file.string(), "wait:1500"}));
    ASSERT_EQ(probeStatus_, 0) << probeOutput_;
    ASSERT_EQ(bursts.size(), 1U);
    RecordBursts(bursts);
    EXPECT_NEAR(bursts[0].length, kSamples / kRate, 0.03);
}

TEST_F(RecordedSound, ANewSoundCutsOffTheOnePlaying) {
    // 101 starts 0.1 s into 102; the program then ends 0.15 s into a last 102.
    const auto bursts = FindBursts(
        RecordProbe({"play:102", "wait:100", "play:101", "wait:1200", "play:102", "wait:150"}));
    ASSERT_EQ(probeStatus_, 0) << probeOutput_;
    ASSERT_EQ(bursts.size(), 2U);
    RecordBursts(bursts);
    EXPECT_NEAR(bursts[0].length, 0.1 + AudibleLength(101), 0.08);
    EXPECT_LT(bursts[0].length, AudibleLength(102) - 0.15) << "102 played on under 101";
    EXPECT_LT(bursts[1].length, 0.5) << "the sound outlived the program";
}

// Without a server the sounds are skipped at once, and one line of the program's own says so.
TEST(SilentSound, WithoutAServerPlayingReturnsAtOnceAndSaysSoOnce) {
    const TempDir dir;
    const auto environment =
        EnvironmentWith({{"XDG_RUNTIME_DIR", dir.Path().string()},
                         {"HOME", dir.Path().string()},
                         {"PULSE_SERVER", "unix:" + (dir.Path() / "no-server-here").string()}});
    const fs::path output = dir.Path() / "probe.txt";
    const auto started = std::chrono::steady_clock::now();
    const auto status = RunToEnd(
        ProbeCommand({"play:101", "play:102", "wait:300", "play:101", "wait:100", "play:102"}),
        environment, output, 20s);
    const auto took = std::chrono::steady_clock::now() - started;
    const std::string text = ReadText(output);
    ASSERT_EQ(status, 0) << text;
    const auto times = PlayTimes(text);
    EXPECT_EQ(times.size(), 4U) << text;
    for (const long ms : times) {
        EXPECT_LT(ms, kPromptMs);
    }
    EXPECT_LT(took, 10s);
    std::vector<std::string> said;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("play ", 0) != 0) {
            said.push_back(line);
        }
    }
    ASSERT_EQ(said.size(), 1U) << text;
    EXPECT_EQ(said[0].rfind("vornikat: no sound output", 0), 0U) << said[0];
}

}  // namespace
}  // namespace vornikat::testing

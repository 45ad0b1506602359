// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "embedded_resources.hpp"
#include "wave_image.hpp"

namespace vornikat {
namespace {

std::uint32_t Uint16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Uint32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Uint16At(bytes, at) | Uint16At(bytes, at + 2) << 16;
}

std::string TagAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::string(bytes.begin() + static_cast<long>(at),
                       bytes.begin() + static_cast<long>(at) + 4);
}

struct SoundLayout {
    int id;
    std::size_t fileSize;
    std::uint32_t riffSize;
    std::uint32_t dataLength;
};

constexpr SoundLayout kSounds[] = {{101, 7552, 7543, 7507}, {102, 11532, 11524, 11488}};
constexpr std::size_t kRate = 11025;

TEST(EmbeddedSounds, AreTheTwoWaveFilesOfTheResourceTable) {
    for (const auto& sound : kSounds) {
        SCOPED_TRACE(sound.id);
        const auto image = EmbeddedSound(sound.id);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->size(), sound.fileSize);
        EXPECT_EQ(TagAt(*image, 0), "RIFF");
        EXPECT_EQ(Uint32At(*image, 4), sound.riffSize);
        EXPECT_EQ(TagAt(*image, 8), "WAVE");
        EXPECT_EQ(TagAt(*image, 12), "fmt ");
        EXPECT_EQ(Uint32At(*image, 16), 16U);
        EXPECT_EQ(Uint16At(*image, 20), 1U);     // PCM
        EXPECT_EQ(Uint16At(*image, 22), 1U);     // mono
        EXPECT_EQ(Uint32At(*image, 24), kRate);  // samples per second
        EXPECT_EQ(Uint32At(*image, 28), kRate);  // bytes per second
        EXPECT_EQ(Uint16At(*image, 32), 1U);     // block align
        EXPECT_EQ(Uint16At(*image, 34), 8U);     // bits
        EXPECT_EQ(TagAt(*image, 36), "data");
        EXPECT_EQ(Uint32At(*image, 40), sound.dataLength);
        // Nothing after the data but its pad byte.
        EXPECT_EQ(44 + sound.dataLength + sound.dataLength % 2, sound.fileSize);

        const auto wave = ReadWaveImage(*image);
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->samples.size(), sound.dataLength);
    }
    EXPECT_FALSE(EmbeddedSound(103));
}

TEST(EmbeddedSounds, StartWithoutAClickAndEndInSilence) {
    for (const auto& sound : kSounds) {
        SCOPED_TRACE(sound.id);
        const auto samples = ReadWaveImage(*EmbeddedSound(sound.id))->samples;
        const auto level = [](std::uint8_t sample) { return std::abs(sample - 128); };
        const auto loudest = [&](std::size_t from, std::size_t to) {
            int most = 0;
            for (std::size_t i = from; i < to; ++i) {
                most = std::max(most, level(samples[i]));
            }
            return most;
        };
        const std::size_t silence = kRate / 5;
        const std::size_t end = samples.size() - silence;
        const int peak = loudest(0, samples.size());
        EXPECT_GE(peak, 96) << "too quiet";
        EXPECT_EQ(samples.front(), 128);
        EXPECT_LE(loudest(0, kRate / 1000), peak / 8) << "the sound starts with a jump";
        EXPECT_LE(loudest(end - kRate / 200, end), peak / 8) << "the sound stops abruptly";
        EXPECT_EQ(loudest(end, samples.size()), 0) << "the last 0.2 s are not silent";
        EXPECT_GE(loudest(end - kRate / 10, end - kRate / 20), 1) << "more silence than planned";
    }
}

TEST(EmbeddedResources, ServeTheSoundsByTypeAndIdAndNothingElse) {
    EmbeddedResources resources;
    for (const int id : {101, 102}) {
        const auto first = resources.LoadResource("SOUNDS", id);
        const auto again = resources.LoadResource("SOUNDS", id);
        ASSERT_TRUE(first && again);
        EXPECT_EQ(first->data(), EmbeddedSound(id)->data());
        EXPECT_EQ(first->size(), EmbeddedSound(id)->size());
        EXPECT_EQ(again->data(), first->data());
    }
    EXPECT_FALSE(resources.LoadResource("SOUNDS", 100));
    EXPECT_FALSE(resources.LoadResource("SOUNDS", 1));
    EXPECT_FALSE(resources.LoadResource("WAVE", 101));
    EXPECT_FALSE(resources.LoadResource("", 101));
}

TEST(EmbeddedIcon, IsOne32By32SixteenColourImage) {
    const auto icon = EmbeddedIcon();
    ASSERT_EQ(icon.size(), 774U);
    // The icon file header and its one entry.
    EXPECT_EQ(Uint16At(icon, 0), 0U);
    EXPECT_EQ(Uint16At(icon, 2), 1U);
    EXPECT_EQ(Uint16At(icon, 4), 1U);
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[7], 32);
    EXPECT_EQ(icon[8], 16);
    EXPECT_EQ(icon[9], 0);
    EXPECT_EQ(Uint16At(icon, 10), 1U);
    EXPECT_EQ(Uint16At(icon, 12), 4U);
    EXPECT_EQ(Uint32At(icon, 14), 752U);
    EXPECT_EQ(Uint32At(icon, 18), 22U);

    const auto image = icon.subspan(22);
    EXPECT_EQ(Uint32At(image, 0), 40U);
    EXPECT_EQ(Uint32At(image, 4), 32U);
    EXPECT_EQ(Uint32At(image, 8), 64U);
    EXPECT_EQ(Uint16At(image, 12), 1U);
    EXPECT_EQ(Uint16At(image, 14), 4U);
    EXPECT_EQ(Uint32At(image, 16), 0U);
    EXPECT_EQ(Uint32At(image, 20), 512U);
    // Black first and white last, as in the standard VGA palette.
    EXPECT_EQ(Uint32At(image, 40), 0x000000U);
    EXPECT_EQ(Uint32At(image, 40 + 15 * 4), 0xFFFFFFU);
    const auto colours = image.subspan(40 + 64, 512);
    const auto mask = image.subspan(40 + 64 + 512, 128);
    EXPECT_TRUE(std::all_of(image.end() - 8, image.end(), [](auto b) { return b == 0; }));

    int transparent = 0;
    for (int pixel = 0; pixel < 32 * 32; ++pixel) {
        const bool clear = (mask[pixel / 8] >> (7 - pixel % 8) & 1) != 0;
        const int colour = colours[pixel / 2] >> (pixel % 2 == 0 ? 4 : 0) & 0xF;
        if (clear) {
            ++transparent;
            EXPECT_EQ(colour, 0) << "a transparent pixel must not tint the background";
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32 / 2);
}

}  // namespace
}  // namespace vornikat

// SPDX-License-Identifier: MIT
#include "wave_image.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vornikat {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutUint16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutUint32(Bytes& out, std::uint32_t value) {
    PutUint16(out, value & 0xFFFFU);
    PutUint16(out, value >> 16);
}

void PutChunk(Bytes& out, const std::string& tag, const Bytes& body, bool pad = true) {
    out.insert(out.end(), tag.begin(), tag.end());
    PutUint32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0) {
        out.push_back(0);
    }
}

struct Fmt {
    unsigned tag = 1;
    unsigned channels = 1;
    std::uint32_t rate = 11025;
    unsigned blockAlign = 1;
    unsigned bits = 8;
};

Bytes FmtBody(const Fmt& f) {
    Bytes body;
    PutUint16(body, f.tag);
    PutUint16(body, f.channels);
    PutUint32(body, f.rate);
    PutUint32(body, f.rate * f.blockAlign);
    PutUint16(body, f.blockAlign);
    PutUint16(body, f.bits);
    return body;
}

// "RIFF", a size that leaves out a final pad byte, "WAVE", then the chunks as given.
Bytes Riff(const Bytes& chunks, std::size_t padAtEnd = 0) {
    Bytes out = {'R', 'I', 'F', 'F'};
    PutUint32(out, static_cast<std::uint32_t>(4 + chunks.size() - padAtEnd));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// The layout of the program's right-answer sound: odd data, a pad byte outside the RIFF size.
Bytes OddSound(const Bytes& samples, const Fmt& fmt = {}) {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody(fmt));
    PutChunk(chunks, "data", samples);
    return Riff(chunks, samples.size() % 2);
}

TEST(WaveImage, ReadsTheOddDataWhoseRiffSizeLeavesOutThePadByte) {
    const Bytes samples = {128, 140, 150, 140, 128};
    const Bytes image = OddSound(samples);
    ASSERT_EQ(image.size(), 44U + 5 + 1);
    ASSERT_EQ(image[4], 36 + 5);
    const auto wave = ReadWaveImage(image);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format.channels, 1);
    EXPECT_EQ(wave->format.samplesPerSecond, 11025U);
    EXPECT_EQ(wave->format.bitsPerSample, 8);
    EXPECT_EQ(Bytes(wave->samples.begin(), wave->samples.end()), samples);
    EXPECT_EQ(wave->samples.data(), image.data() + 44);
}

TEST(WaveImage, AcceptsTheOtherWaysAWellFormedFileEnds) {
    const Bytes samples = {1, 2, 3};
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody({}));
    PutChunk(chunks, "data", samples);
    const Bytes padCounted = Riff(chunks);
    chunks.pop_back();
    const Bytes noPad = Riff(chunks);
    for (const Bytes& image : {padCounted, noPad}) {
        const auto wave = ReadWaveImage(image);
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->samples.size(), 3U);
    }
}

TEST(WaveImage, SkipsOtherChunksAndTrimsAPartialFrame) {
    Bytes chunks;
    PutChunk(chunks, "LIST", {'I', 'N', 'F'});  // odd, with its pad byte
    PutChunk(chunks, "fmt ", FmtBody({1, 2, 22050, 4, 16}));
    PutChunk(chunks, "fact", {0, 0, 0, 0});
    PutChunk(chunks, "data", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const auto wave = ReadWaveImage(Riff(chunks));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format.channels, 2);
    EXPECT_EQ(wave->format.samplesPerSecond, 22050U);
    EXPECT_EQ(wave->format.bitsPerSample, 16);
    EXPECT_EQ(wave->samples.size(), 8U);
}

TEST(WaveImage, RefusesWhatCannotBePlayed) {
    const Bytes good = OddSound({128, 129, 130});
    const auto with = [&](const std::function<void(Bytes&)>& change) {
        Bytes image = good;
        change(image);
        return image;
    };
    const auto onlyChunks = [](const Bytes& chunks) { return Riff(chunks); };
    Bytes dataFirst;
    PutChunk(dataFirst, "data", {1, 2});
    PutChunk(dataFirst, "fmt ", FmtBody({}));
    Bytes noData;
    PutChunk(noData, "fmt ", FmtBody({}));
    Bytes shortFmt;
    const Bytes fmt = FmtBody({});
    PutChunk(shortFmt, "fmt ", Bytes(fmt.begin(), fmt.begin() + 14));
    PutChunk(shortFmt, "data", {1, 2});
    Bytes noWholeFrame;
    PutChunk(noWholeFrame, "fmt ", FmtBody({1, 2, 11025, 4, 16}));
    PutChunk(noWholeFrame, "data", {1, 2, 3});

    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"empty", {}},
        {"header only", Bytes(good.begin(), good.begin() + 11)},
        {"not RIFF", with([](Bytes& b) { b[0] = 'X'; })},
        {"not WAVE", with([](Bytes& b) { b[8] = 'X'; })},
        {"RIFF size past the end", with([](Bytes& b) { b[4] += 2; })},
        {"RIFF size huge", with([](Bytes& b) { b[4] = b[5] = b[6] = b[7] = 0xFF; })},
        {"RIFF size too small for WAVE", with([](Bytes& b) { b[4] = 3, b[5] = 0; })},
        {"data length past the RIFF", with([](Bytes& b) { b[40] += 1; })},
        {"data length huge", with([](Bytes& b) { b[40] = b[41] = b[42] = b[43] = 0xFF; })},
        {"fmt length huge", with([](Bytes& b) { b[16] = b[17] = b[18] = b[19] = 0xFF; })},
        {"compressed", OddSound({1, 2, 3}, {.tag = 2})},
        {"float", OddSound({1, 2, 3, 4}, {.tag = 3, .blockAlign = 4, .bits = 32})},
        {"no channels", OddSound({1}, {.channels = 0, .blockAlign = 0})},
        {"three channels", OddSound({1, 2, 3}, {.channels = 3, .blockAlign = 3})},
        {"12 bits", OddSound({1, 2}, {.blockAlign = 2, .bits = 12})},
        {"block align wrong", OddSound({1, 2}, {.blockAlign = 2})},
        {"rate 0", OddSound({1}, {.rate = 0})},
        {"rate absurd", OddSound({1}, {.rate = 10'000'000})},
        {"data before fmt", onlyChunks(dataFirst)},
        {"no data", onlyChunks(noData)},
        {"fmt too short", onlyChunks(shortFmt)},
        {"no whole frame", onlyChunks(noWholeFrame)},
        {"empty data", OddSound({})},
    };
    for (const auto& [name, image] : cases) {
        EXPECT_FALSE(ReadWaveImage(image)) << name;
    }
}

}  // namespace
}  // namespace vornikat

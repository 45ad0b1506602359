// SPDX-License-Identifier: MIT
// vornikat-resgen: makes the program's sounds, its icon and the desktop's icons from their
// sources, byte for byte the same on every run, so the committed files can be checked against it.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_icons.hpp"
#include "icon_file.hpp"
#include "sound_synth.hpp"
#include "wave_file.hpp"

namespace {

namespace rg = vornikat::resgen;

// The resource id the icon group names its image by.
constexpr std::uint16_t kIconImageId = 30001;

// The desktop's icons take the application id as their name, in the hicolor theme's folders.
constexpr std::string_view kAppId = "org.example.vornikat";

void WriteFile(const std::filesystem::path& path, std::span<const char> bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    WriteFile(path, std::span(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void WriteDesktopIcons(const rg::PixelMap& pixels, const std::filesystem::path& out) {
    const auto theme = out / "icons" / "hicolor";
    const auto file = std::string(kAppId);
    for (const int size : rg::kDesktopIconSizes) {
        const auto folder = std::to_string(size) + "x" + std::to_string(size);
        WriteFile(theme / folder / "apps" / (file + ".png"), rg::MakePngIcon(pixels, size));
    }
    const auto svg = rg::MakeSvgIcon(pixels);
    WriteFile(theme / "scalable" / "apps" / (file + ".svg"), std::span(svg));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vornikat-resgen ICON_MAP OUTPUT_DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[2];
        std::ifstream mapFile(argv[1]);
        if (!mapFile) {
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        }
        const auto pixels = rg::ReadPixelMap(mapFile);
        WriteFile(out / "sound_101.wav", rg::MakeWaveFile(rg::SynthesizeChime(), rg::kSampleRate));
        WriteFile(out / "sound_102.wav", rg::MakeWaveFile(rg::SynthesizeBuzz(), rg::kSampleRate));
        WriteFile(out / "vornikat.ico", rg::MakeIconFile(pixels));
        WriteFile(out / "vornikat_icon_image.bin", rg::MakeIconImage(pixels));
        WriteFile(out / "vornikat_icon_group.bin", rg::MakeIconGroup(kIconImageId));
        WriteDesktopIcons(pixels, out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornikat-resgen: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}

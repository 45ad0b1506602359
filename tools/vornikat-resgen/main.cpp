// vornikat-resgen: makes the program's sounds and icon files from their sources, byte for
// byte the same on every run, so the committed files can be checked against it.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "icon_file.hpp"
#include "sound_synth.hpp"
#include "wave_file.hpp"

namespace {

namespace rg = vornikat::resgen;

// The resource id the icon group names its image by.
constexpr std::uint16_t kIconImageId = 30001;

void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
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
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornikat-resgen: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}

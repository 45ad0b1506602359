// SPDX-License-Identifier: MIT
// Writes a seed corpus for the WAV reader's fuzz target: the program's own two sounds.
#include <cstdio>
#include <fstream>
#include <string>

#include "embedded_resources.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeds_wave_image DIR\n");
        return 2;
    }
    for (const int id : {101, 102}) {
        const auto image = vornikat::EmbeddedSound(id);
        std::ofstream out(std::string(argv[1]) + "/sound" + std::to_string(id) + ".wav",
                          std::ios::binary);
        out.write(reinterpret_cast<const char*>(image->data()),
                  static_cast<std::streamsize>(image->size()));
    }
    return 0;
}

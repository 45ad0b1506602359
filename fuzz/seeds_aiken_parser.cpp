// SPDX-License-Identifier: MIT
// Writes a seed corpus for the Aiken parser's fuzz target: small sources, good and bad.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeds_aiken_parser DIR\n");
        return 2;
    }
    const std::vector<std::string> sources = {
        "Что делает кнопка «Reset»?\nA) Перезагружает компьютер\nB) Сбрасывает настроение\n"
        "C) Удаляет интернет\nD) Включает турбо-режим\nE)\nANSWER: A\n",
        "\xEF\xBB\xBFQ\r\nA. a\r\n\r\nB.\tb\r\nC)c\r\nD)\r\nE) e\r\nANSWER:E\r\n",
        "Q\nА) a\nb) b\nC) c\nD) d\nE) e\nF) f\nANSWER: в\nANSWER: 3\n",
        "x → y\tz\x01\n\xC2\xEE\nA) \xED\xA0\x80\nanswer :\n",
    };
    int n = 0;
    for (const auto& source : sources) {
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".txt",
                      std::ios::binary)
            << source;
    }
    return 0;
}

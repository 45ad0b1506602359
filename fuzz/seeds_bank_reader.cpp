// SPDX-License-Identifier: MIT
// Writes a seed corpus for the loader's fuzz target: small banks from the bank writer.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bank_writer.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeds_bank_reader DIR\n");
        return 2;
    }
    using vornikat::QuestionRecord;
    const std::vector<std::vector<QuestionRecord>> banks = {
        {{u"abc", {u"xy", u"Да", u"", u"", u""}, 3}},
        {{u"Что такое байт?", {u"8 бит", u"Кусок", u"Укус", u"", u"Ё"}, 1},
         {u"", {u"a", u"b", u"c", u"d", u"e"}, 5}},
        {{u"\u0098\u00A0\u2116", {u"", u"", u"", u"", u""}, 0}},
    };
    int n = 0;
    for (const auto& bank : banks) {
        const auto bytes = vornikat::WriteQuestionBank(bank);
        std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".bin",
                          std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}

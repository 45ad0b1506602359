// SPDX-License-Identifier: MIT
// Writes a seed corpus for the registry file reader's fuzz target: files in each accepted form.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeds_registry_reader DIR\n");
        return 2;
    }
    std::string utf16 = "\xFF\xFE";
    for (const char c :
         std::string("Windows Registry Editor Version 5.00\r\n\r\n"
                     "[HKEY_CURRENT_USER\\Software\\Vornikat]\r\n\"LastScore\"=\" 42\"\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const std::vector<std::string> seeds = {
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n"
        "\"LastScore\"=\" 33\"\n",
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n; comment\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\r\n@=\"default\"\r\n\"D\"=dword:0000002a\r\n"
        "\"H\"=hex(1):33,33,00,78,\\\r\n  00\r\n\"B\"=hex:de,ad\r\n\"Bad\"=dword:xyz\r\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87]\n"
        "\"\xD0\x98\xD0\xBC\xD1\x8F\"=\"\xD0\xA2\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82 \\\"q\\\" \\\\\"\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Old]\n\"Tail\"=hex(7):01,\\\n",
        // Windows-1251 under the old header, as regedit writes it.
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\\xCA\xEB\xFE\xF7]\r\n"
        "\"\xC8\xEC\xFF\"=\"\xD2\xE5\xEA\xF1\xF2\"\r\n",
        utf16,
        "not a registry file\n",
    };
    int n = 0;
    for (const auto& seed : seeds) {
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".reg",
                      std::ios::binary)
            << seed;
    }
    return 0;
}

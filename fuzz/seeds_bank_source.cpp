// SPDX-License-Identifier: MIT
// Writes a seed corpus for the readers of other tools' formats: small GIFT, Moodle XML and CSV
// sources, good and broken.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeds_bank_source DIR\n");
        return 2;
    }
    const std::vector<std::string> sources = {
        "// c\n::T::[html]<p>Q&amp;</p>{=a#f ~b ~\\{c\\} ~d ~e ####g}\n\nX{T}\n\nY{=a =b}\n",
        "Q{~%50%a ~%50%b}\n\nZ {=a -> b}\n\n::open\n\nR{=a ~b",
        "<?xml version=\"1.0\"?><quiz><question type=\"multichoice\"><questiontext "
        "format=\"html\"><text><![CDATA[<b>Q</b>]]></text></questiontext><answer "
        "fraction=\"100\"><text>a</text></answer><answer fraction=\"0\"><text>b</text>"
        "</answer></question></quiz>",
        "<!DOCTYPE q [<!ENTITY a \"b\">]><quiz><question><text>&a;&#x44F;</text></quiz>",
        "Вопрос;A;B;C;D;E;Ответ\r\n\"Q \"\"x\"\"\";a;\"b;\nc\";d;e;f;В\r\nR,a,b,c,d,e,2\r\n\"open",
    };
    int n = 0;
    for (const auto& source : sources) {
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".txt",
                      std::ios::binary)
            << source;
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#include "tool_messages.hpp"

#include <cstddef>
#include <iterator>

#include "russian_plural.hpp"

namespace vornikat::banktool {
namespace {

struct Message {
    Msg key;
    std::string_view english;
    std::string_view russian;
};

constexpr Message kMessages[] = {
    {Msg::MainHelp, R"(usage: vornikat-bank COMMAND ARGS...
       vornikat-bank FILE

Turns question banks written as Aiken text (or exported as GIFT, Moodle XML or CSV) into the
quiz's data.bin, and a data.bin back into Aiken text.

commands:
  build SOURCE.txt -o data.bin   compile an Aiken text (GIFT, Moodle XML, CSV) into a bank
  dump data.bin                  print a bank as Aiken text
  check data.bin                 say whether the quiz will load a bank

A FILE alone, as when it is dropped on vornikat-bank.exe, is checked and nothing is written:
a data.bin as "check" does, an Aiken text as "build" reads it.

options:
  -h, --help       print this help
  --version        print the version

"vornikat-bank COMMAND --help" describes each command; "--" ends the options, so that a
file name may start with "-". Messages are in Russian where the system's language is.
)",
     R"(запуск: vornikat-bank КОМАНДА АРГУМЕНТЫ...
        vornikat-bank ФАЙЛ

Собирает банк вопросов data.bin для викторины из текста Aiken (или из выгрузки GIFT,
Moodle XML, CSV) и выводит data.bin обратно текстом Aiken.

команды:
  build ВОПРОСЫ.txt -o data.bin   собрать банк из текста Aiken (GIFT, Moodle XML, CSV)
  dump data.bin                   вывести банк текстом Aiken
  check data.bin                  сказать, загрузит ли викторина банк

Один ФАЙЛ без команды (так запускает программу файл, перетащенный на vornikat-bank.exe)
проверяется, и ничего не записывается: data.bin — как командой check, текст Aiken — так,
как его читает build.

параметры:
  -h, --help       вывести эту справку
  --version        вывести версию

«vornikat-bank КОМАНДА --help» описывает каждую команду; «--» заканчивает параметры, так что
имя файла может начинаться с «-». Сообщения выводятся по-русски, если система русская.
)"},
    {Msg::BuildHelp,
     R"(usage: vornikat-bank build [--require-fit] [--from FORMAT] SOURCE.txt -o data.bin

Reads SOURCE.txt, Aiken text in UTF-8 (with or without its mark), UTF-16 with its mark or
Windows-1251, and writes the bank data.bin. A question is one line or several, then its
five options labelled A) to E) (or A. to E., or the Russian А) to Д), in either case), then
"ANSWER:" (or "ОТВЕТ:") and the letter of the right option. Blank lines are optional.

  Что делает кнопка «Reset»?
  A) Перезагружает компьютер
  B) Сбрасывает настроение
  C) Удаляет интернет
  D) Включает турбо-режим
  E) Вызывает системного администратора
  ANSWER: A

Every character must exist in Windows-1251. Errors are reported as
FILE:LINE:COLUMN: error: ..., and on any error nothing is written. The bank goes to a
temporary file beside data.bin, which is renamed into place once it is complete; missing
folders of data.bin are made.

A question that may not fit the quiz window (about four lines of 40 characters, or a word
wider than the window) or an option longer than one line of its button (about 40
characters) gets a warning. Without the window these are cautious estimates: a text near
the limit may still fit; vornikat-editor measures the window itself.

Questions exported by other tools are taken too, told by the file's extension (.gift, .xml,
.csv) or else by its content: GIFT and Moodle XML multiple-choice questions with one right
answer (other kinds are skipped, and their number told), and CSV as spreadsheets save it: a
row per question, its text, five options and the right one by number (1-5) or letter (A-E),
separated by "," or ";". A question that came in without five options or a right one is an
error at its line.

options:
  -o, --output FILE   the bank to write
  --from FORMAT       read SOURCE as aiken, gift, xml (Moodle XML) or csv, whatever its
                      name or content says
  --require-fit       make those warnings errors
  -h, --help          print this help
)",
     R"(запуск: vornikat-bank build [--require-fit] [--from ФОРМАТ] ВОПРОСЫ.txt -o data.bin

Читает ВОПРОСЫ.txt, текст Aiken в UTF-8 (с меткой или без), в UTF-16 с меткой или в
Windows-1251, и записывает банк data.bin. Вопрос пишется одной строкой или несколькими, за
ним пять вариантов с метками от A) до E) (или от A. до E., или русскими от А) до Д), любыми
буквами, строчными или прописными), затем «ANSWER:» (или «ОТВЕТ:») и буква верного
варианта. Пустые строки между вопросами не обязательны.

  Что делает кнопка «Reset»?
  A) Перезагружает компьютер
  B) Сбрасывает настроение
  C) Удаляет интернет
  D) Включает турбо-режим
  E) Вызывает системного администратора
  ANSWER: A

Каждый знак должен быть в Windows-1251. Ошибки выводятся как
ФАЙЛ:СТРОКА:ЗНАК: ошибка: ..., и при любой ошибке ничего не записывается. Банк пишется во
временный файл рядом с data.bin и занимает своё место, только когда записан целиком;
недостающие папки data.bin создаются.

Вопрос, который может не уместиться в окне викторины (около четырёх строк по 40 знаков, или
слово шире окна), и вариант длиннее одной строки своей кнопки (около 40 знаков) получают
предупреждение. Без окна это осторожные оценки: текст у самой границы может и уместиться;
vornikat-editor измеряет само окно.

Принимаются и вопросы, выгруженные из других программ, по расширению файла (.gift, .xml,
.csv) или по содержимому: вопросы GIFT и Moodle XML с одним верным ответом из нескольких
(вопросы других видов пропускаются, и называется их число) и CSV, как его сохраняют
электронные таблицы: строка на вопрос — текст, пять вариантов и номер (1-5) или буква (A-E)
верного, через «,» или «;». Вопрос, пришедший без пяти вариантов или без верного, — ошибка
в его строке.

параметры:
  -o, --output ФАЙЛ   банк, который записать
  --from ФОРМАТ       читать ВОПРОСЫ как aiken, gift, xml (Moodle XML) или csv, что бы ни
                      говорили имя и содержимое
  --require-fit       считать эти предупреждения ошибками
  -h, --help          вывести эту справку
)"},
    {Msg::DumpHelp, R"(usage: vornikat-bank dump data.bin

Prints the bank as Aiken text in UTF-8 on standard output, read the way the quiz reads it.
"vornikat-bank build" of that text gives back the same bank. A bank that Aiken cannot
express (an empty question, a text with a control character or with a blank at either
end, a right option outside 1 to 5) is an error naming the question and the text, and
nothing is printed. The reading stops where the bank ends.
)",
     R"(запуск: vornikat-bank dump data.bin

Выводит банк текстом Aiken в UTF-8 на стандартный вывод, прочитав его так, как читает
викторина. «vornikat-bank build» из этого текста даёт тот же банк. Банк, который Aiken не
может передать (пустой вопрос, текст с управляющим знаком или с пробелом с краю, верный
вариант вне 1..5), — ошибка с номером вопроса и текстом, и ничего не выводится. Чтение
кончается там, где кончается банк.
)"},
    {Msg::CheckHelp, R"(usage: vornikat-bank check data.bin

Reads the bank the way the quiz does. If the quiz will load it, prints the number of
questions and exits with status 0; warnings on standard error tell what loads but is odd:
a right option outside 1 to 5, an empty question text, units that are not exact
multiples of their factor, bytes after the end. If the quiz will refuse it, prints why
and at which byte, and exits with status 1. The reading stops where the bank ends.
)",
     R"(запуск: vornikat-bank check data.bin

Читает банк так, как читает викторина. Если викторина его загрузит, выводит число
вопросов и завершается с кодом 0; предупреждения в стандартном потоке ошибок говорят, что
загрузится, но странно: верный вариант вне 1..5, пустой текст вопроса, числа, не кратные
своему множителю, байты после конца. Если викторина банк не загрузит, выводит почему и на
каком байте и завершается с кодом 1. Чтение кончается там, где кончается банк.
)"},
    {Msg::Version, "vornikat-bank {0}\n", "vornikat-bank {0}\n"},
    {Msg::TryHelp, "{0}: {1}\nTry '{0} --help' for more information.\n",
     "{0}: {1}\nПодробнее: «{0} --help».\n"},
    {Msg::OptionNeedsArgument, "option '{0}' needs an argument", "параметру «{0}» нужно значение"},
    {Msg::UnknownOption, "unknown option '{0}'", "неизвестный параметр «{0}»"},
    {Msg::NoCommand, "no command given", "не указана команда"},
    {Msg::UnknownCommand, "unknown command '{0}'", "неизвестная команда «{0}»"},
    {Msg::NoSource, "no SOURCE.txt given", "не указан ВОПРОСЫ.txt"},
    {Msg::OneSourceOnly, "one SOURCE.txt only, not also '{0}'",
     "нужен один ВОПРОСЫ.txt, а не ещё и «{0}»"},
    {Msg::NoOutput, "no bank to write given (-o data.bin)",
     "не указан банк, который записать (-o data.bin)"},
    {Msg::OneOutputOnly, "one bank to write only (-o data.bin)",
     "записать можно только один банк (-o data.bin)"},
    {Msg::EmptyName, "an empty name names no file", "пустое имя не называет файла"},
    {Msg::NoBank, "no data.bin given", "не указан data.bin"},
    {Msg::OneBankOnly, "one data.bin only, not also '{0}'",
     "нужен один data.bin, а не ещё и «{0}»"},
    {Msg::AtPlace, "{0}:{1}:{2}: {3}: {4}\n", "{0}:{1}:{2}: {3}: {4}\n"},
    {Msg::Error, "error", "ошибка"},
    {Msg::Warning, "warning", "предупреждение"},
    {Msg::FileError, "{0}: error: {1}\n", "{0}: ошибка: {1}\n"},
    {Msg::FileWarning, "{0}: warning: {1}\n", "{0}: предупреждение: {1}\n"},
    {Msg::FileSummary, "{0}: {1}\n", "{0}: {1}\n"},
    {Msg::CannotReadSource, "{0}: error: cannot read: {1}\n", "{0}: ошибка: не читается: {1}\n"},
    {Msg::CannotOpenBank, "{0}: error: cannot open: {1}\n", "{0}: ошибка: не открывается: {1}\n"},
    {Msg::CannotOpenRefused, "{0}: error: cannot open: {1}; the quiz refuses it\n",
     "{0}: ошибка: не открывается: {1}; викторина его не загрузит\n"},
    {Msg::BankRefused, "{0}: error: at byte {1}: {2}; the quiz refuses this bank\n",
     "{0}: ошибка: байт {1}: {2}; викторина не загрузит этот банк\n"},
    {Msg::CannotReadBank, "{0}: error: cannot read: {1}\n", "{0}: ошибка: не читается: {1}\n"},
    {Msg::StoppedAfter, "{0}: stopped after {1} errors\n",
     "{0}: проверка остановлена после {1}-й ошибки\n"},
    {Msg::NotWritten, "{0}: not written\n", "{0}: не записан\n"},
    {Msg::ReadOnly, "{0}: error: read-only, and it is not replaced\n",
     "{0}: ошибка: файл только для чтения, и он не заменяется\n"},
    {Msg::SourceItself, "{0}: error: it is SOURCE.txt itself, and it is not replaced\n",
     "{0}: ошибка: это сам ВОПРОСЫ.txt, и он не заменяется\n"},
    {Msg::FolderCannotBeMade, "{0}: error: its folder cannot be made: {1}\n",
     "{0}: ошибка: не удаётся создать его папку: {1}\n"},
    {Msg::AikenCannotExpress, "{0}: Aiken cannot express this bank; nothing printed\n",
     "{0}: текст Aiken не передаст этот банк; ничего не выведено\n"},
    {Msg::TextChecked,
     "{0}: {1} and no error; the bank is built by: vornikat-bank build {2} -o data.bin\n",
     "{0}: {1}, ошибок нет; банк собирает команда: vornikat-bank build {2} -o data.bin\n"},
    {Msg::PressAnyKey, "Press any key to close this window...",
     "Нажмите любую клавишу, чтобы закрыть окно…"},
    {Msg::UnknownFormat, "unknown format '{0}'; --from takes aiken, gift, xml or csv",
     "неизвестный формат «{0}»; --from принимает aiken, gift, xml или csv"},
    {Msg::Skipped,
     "{0}: note: {1} skipped: the quiz asks only multiple-choice questions with one right "
     "answer\n",
     "{0}: замечание: пропущены вопросы других видов ({1}); викторина задаёт только вопросы "
     "с одним верным ответом из нескольких\n"},
};

// The table is indexed by its keys: each row stands at its key's place.
constexpr bool RowsStandAtTheirKeys() {
    for (std::size_t i = 0; i < std::size(kMessages); ++i) {
        if (static_cast<std::size_t>(kMessages[i].key) != i) {
            return false;
        }
    }
    return std::size(kMessages) == static_cast<std::size_t>(Msg::Skipped) + 1;
}
static_assert(RowsStandAtTheirKeys());

bank::Language spoken = bank::Language::English;

}  // namespace

void SpeakLanguage(bank::Language language) {
    spoken = language;
}

bank::Language SpokenLanguage() {
    return spoken;
}

std::string Say(Msg key, std::initializer_list<std::string_view> args) {
    const Message& message = kMessages[static_cast<std::size_t>(key)];
    const std::string_view text =
        spoken == bank::Language::Russian ? message.russian : message.english;
    std::string said;
    said.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index = i + 2 < text.size() && text[i] == '{' && text[i + 2] == '}'
                                      ? static_cast<std::size_t>(text[i + 1] - '0')
                                      : args.size();
        if (index < args.size()) {
            said += args.begin()[index];
            i += 2;
        } else {
            said += text[i];
        }
    }
    return said;
}

std::string CountQuestions(std::uint64_t count) {
    const auto n = static_cast<std::int64_t>(count);
    return std::to_string(count) + " " +
           std::string(spoken == bank::Language::Russian
                           ? bank::RussianPlural(n, "вопрос", "вопроса", "вопросов")
                           : (count == 1 ? "question" : "questions"));
}

}  // namespace vornikat::banktool

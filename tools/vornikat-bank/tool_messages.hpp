// SPDX-License-Identifier: MIT
// Every word vornikat-bank prints of its own, by key, in English and in Russian: the help, the
// command line's mistakes, the errors and the summaries. The words of the bank's readers and
// checks come from src/bank in the same language.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "draft_bank.hpp"

namespace vornikat::banktool {

enum class Msg {
    MainHelp,
    BuildHelp,
    DumpHelp,
    CheckHelp,
    Version,
    TryHelp,
    OptionNeedsArgument,
    UnknownOption,
    NoCommand,
    UnknownCommand,
    NoSource,
    OneSourceOnly,
    NoOutput,
    OneOutputOnly,
    EmptyName,
    NoBank,
    OneBankOnly,
    AtPlace,
    Error,
    Warning,
    FileError,
    FileWarning,
    FileSummary,
    CannotReadSource,
    CannotOpenBank,
    CannotOpenRefused,
    BankRefused,
    CannotReadBank,
    StoppedAfter,
    NotWritten,
    ReadOnly,
    SourceItself,
    FolderCannotBeMade,
    AikenCannotExpress,
    TextChecked,
    PressAnyKey,
    UnknownFormat,
    Skipped,
};

// The language every later message is said in; English until this is called.
void SpeakLanguage(bank::Language language);
bank::Language SpokenLanguage();

// The message in the spoken language, with {0}, {1}, ... replaced by the arguments.
std::string Say(Msg key, std::initializer_list<std::string_view> args = {});

// "2 questions", "2 вопроса".
std::string CountQuestions(std::uint64_t count);

}  // namespace vornikat::banktool

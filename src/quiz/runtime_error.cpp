// SPDX-License-Identifier: MIT
#include "runtime_error.hpp"

#include "text.hpp"

namespace vornikat {
namespace {

std::u16string DescribeError(int number, const std::string& detail) {
    switch (number) {
        case err::kInvalidCall:
            return u"Недопустимый вызов процедуры или аргумент";
        case err::kOverflow:
            return u"Переполнение";
        case err::kOutOfMemory:
            return u"Недостаточно памяти";
        case err::kSubscriptOutOfRange:
            return u"Индекс вне допустимого диапазона";
        case err::kDivisionByZero:
            return u"Деление на ноль";
        case err::kFileNotFound:
            return u"Файл не найден";
        case err::kInputPastEnd:
            return u"Ввод за концом файла";
        case err::kFileAccess:
            return u"Ошибка доступа к файлу";
        case err::kResourceNotFound:
            return u"Ресурс с идентификатором '" + AsciiToText(detail) + u"' не найден";
        default:
            return u"Ошибка, определяемая приложением или объектом";
    }
}

}  // namespace

RuntimeError::RuntimeError(int number, const std::string& detail)
    : std::runtime_error("run-time error " + std::to_string(number)),
      number_(number),
      description_(DescribeError(number, detail)) {}

std::u16string RuntimeError::BoxText() const {
    return u"Ошибка выполнения '" + IntToText(number_) + u"':\r\r" + description_;
}

}  // namespace vornikat

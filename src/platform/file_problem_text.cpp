// SPDX-License-Identifier: MIT
#include "file_problem_text.hpp"

#include <cerrno>
#include <cstring>

namespace vornikat {

FileProblemText ExplainOpenProblem(OpenProblem problem, int error) {
    switch (problem) {
        case OpenProblem::None:
            return {};
        case OpenProblem::Folder:
            return {"a folder, not a bank file", "это папка, а не файл банка"};
        case OpenProblem::Fifo:
            return {"a named pipe, not a bank file", "это именованный канал, а не файл банка"};
        case OpenProblem::Socket:
            return {"a socket, not a bank file", "это сокет, а не файл банка"};
        case OpenProblem::Device:
            return {"a device, not a bank file", "это устройство, а не файл банка"};
        case OpenProblem::DanglingLink:
            return {"a symbolic link that leads nowhere",
                    "это символическая ссылка, которая никуда не ведёт"};
        case OpenProblem::Missing:
            return {std::strerror(error), "такого файла нет"};
        case OpenProblem::NotPermitted:
            return {std::strerror(error), "нет прав на чтение этого файла"};
        case OpenProblem::Unreadable:
            break;
    }
    switch (error) {
        case ENAMETOOLONG:
            return {std::strerror(error), "имя файла длиннее, чем позволяет система"};
        case EIO:
            return {std::strerror(error), "диск не отдал файл: ошибка чтения"};
        default:
            return {std::strerror(error),
                    "файл не читается (ошибка системы " + std::to_string(error) + ")"};
    }
}

FileProblemText ExplainWriteError(const std::error_code& error) {
    // The system's own message would name the file again, beside the name already shown.
    if (error == std::errc::is_a_directory) {
        return {"a folder stands at that name, and it is not replaced",
                "под этим именем стоит папка, и она не заменяется"};
    }
    if (error == std::errc::not_supported) {
        return {
            "a pipe, a socket or a device stands at that name, not a regular file, and it is "
            "not replaced",
            "под этим именем стоит канал, сокет или устройство, а не файл, и оно не "
            "заменяется"};
    }
    if (error == std::errc::too_many_symbolic_link_levels) {
        return {"a loop of symbolic links stands at that name, and it is not replaced",
                "под этим именем стоит петля символических ссылок, и она не заменяется"};
    }
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
        return {"cannot create a temporary file beside it: its folder does not exist",
                "такой папки нет"};
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return {"not written: " + error.message(), "нет прав на запись в папку этого файла"};
    }
    if (error == std::errc::no_space_on_device) {
        return {"not written: " + error.message(), "на диске не осталось места"};
    }
#ifdef EDQUOT
    if (error == std::error_condition(EDQUOT, std::generic_category())) {
        return {"not written: " + error.message(), "на диске не осталось места"};
    }
#endif
    if (error == std::errc::read_only_file_system) {
        return {"not written: " + error.message(), "диск открыт только для чтения"};
    }
    if (error == std::errc::filename_too_long) {
        return {"not written: " + error.message(), "имя файла длиннее, чем позволяет система"};
    }
    if (error == std::errc::io_error) {
        return {"not written: " + error.message(), "диск не ответил на запись"};
    }
    return {"not written: " + error.message(), "ошибка системы " + std::to_string(error.value())};
}

}  // namespace vornikat

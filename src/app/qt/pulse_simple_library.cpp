// SPDX-License-Identifier: MIT
#include "pulse_simple_library.hpp"

#include <dlfcn.h>

#include <optional>

namespace vornikat {
namespace {

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<PulseSimpleLibrary> Load() {
    // Never closed: the program plays until it ends.
    void* library = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    PulseSimpleLibrary functions{};
    if (!Find(library, "pa_simple_new", functions.open) ||
        !Find(library, "pa_simple_write", functions.write) ||
        !Find(library, "pa_simple_flush", functions.flush) ||
        !Find(library, "pa_simple_free", functions.close)) {
        return std::nullopt;
    }
    return functions;
}

}  // namespace

const PulseSimpleLibrary* LoadPulseSimple() {
    static const std::optional<PulseSimpleLibrary> library = Load();
    return library ? &*library : nullptr;
}

}  // namespace vornikat

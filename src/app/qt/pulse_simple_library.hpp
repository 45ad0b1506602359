// SPDX-License-Identifier: MIT
// The sound server's simple client library (PulseAudio's, which PipeWire's pulse server answers
// too), loaded when the first sound is played: it and the libraries it brings cost the start
// nothing, and a system without it plays in silence.
#pragma once

#include <pulse/simple.h>

namespace vornikat {

struct PulseSimpleLibrary {
    decltype(&pa_simple_new) open;
    decltype(&pa_simple_write) write;
    decltype(&pa_simple_flush) flush;
    decltype(&pa_simple_free) close;
};

// The library's functions, or nullptr when it cannot be loaded. Loaded at the first call, once.
const PulseSimpleLibrary* LoadPulseSimple();

}  // namespace vornikat

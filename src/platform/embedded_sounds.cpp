#include "embedded_sounds.hpp"

namespace vornikat {
namespace {

// Stand-in images until the real sounds are generated (issue #4): a silent WAV each,
// one array per sound so the two stay distinct.
template <int Id>
constexpr std::uint8_t kSilentWave[] = {'R',  'I',  'F', 'F', 38,   0,    0, 0, 'W', 'A', 'V', 'E',
                                        'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                        0x11, 0x2B, 0,   0,   0x11, 0x2B, 0, 0, 1,   0,   8,   0,
                                        'd',  'a',  't', 'a', 2,    0,    0, 0, 128, 128};

}  // namespace

std::optional<std::span<const std::uint8_t>> EmbeddedSound(int id) {
    if (id == 101) {
        return std::span<const std::uint8_t>(kSilentWave<101>);
    }
    if (id == 102) {
        return std::span<const std::uint8_t>(kSilentWave<102>);
    }
    return std::nullopt;
}

}  // namespace vornikat

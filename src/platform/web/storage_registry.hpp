// SPDX-License-Identifier: MIT
// The registry of the browser build: the registry in memory, whose one value the quiz keeps
// (LastScore under HKEY_LOCAL_MACHINE\Software\Vornikat) lives on in the page's localStorage.
// Each game has its own, filled from the store as it is at the game's start; the page keeps a
// score the storage refused for the rest of the visit.
#pragma once

#include "memory_registry.hpp"

namespace vornikat {

class StorageRegistry : public MemoryRegistry {
  public:
    // Reads the stored score, if any; storage that is refused reads as empty.
    StorageRegistry();

    // Writes the score through to the storage; where it is refused or full, the page keeps it
    // for this visit and the console says so once.
    long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) override;
};

}  // namespace vornikat

// SPDX-License-Identifier: MIT
// The registry of the browser build: the registry in memory, whose one value the quiz keeps
// (LastScore under HKEY_LOCAL_MACHINE\Software\Vornikat) lives on in the page's localStorage.
// One serves every game of a page's life, so that a score the storage refused still greets the
// next game of the same visit.
#pragma once

#include "memory_registry.hpp"

namespace vornikat {

class StorageRegistry : public MemoryRegistry {
  public:
    // Reads the stored score, if any; storage that is refused reads as empty.
    StorageRegistry();

    // Writes the score through to the storage; where it is refused or full, the score stays
    // for this page's life and the console says so once.
    long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) override;

  private:
    void SayRefusedOnce();

    bool refusalSaid_ = false;
};

}  // namespace vornikat

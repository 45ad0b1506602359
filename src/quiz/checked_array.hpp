// SPDX-License-Identifier: MIT
// An array indexed from 0 whose every access is checked against its bounds.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "runtime_error.hpp"

namespace vornikat {

template <typename T>
class CheckedArray {
  public:
    CheckedArray() = default;

    // Gives the array the indexes 0..upper, freshly filled; an upper bound below 0 is the
    // subscript error, as no array can end before it starts.
    void Redim(long upper) {
        if (upper < 0) {
            throw RuntimeError(err::kSubscriptOutOfRange);
        }
        items_.assign(static_cast<std::size_t>(upper) + 1, T{});
    }

    // Gives the array one more index, holding item; returns the item in its place.
    T& Append(T item) { return items_.emplace_back(std::move(item)); }

    T& At(long index) {
        Check(index);
        return items_[static_cast<std::size_t>(index)];
    }
    const T& At(long index) const {
        Check(index);
        return items_[static_cast<std::size_t>(index)];
    }

    std::size_t Size() const { return items_.size(); }

  private:
    void Check(long index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
            throw RuntimeError(err::kSubscriptOutOfRange);
        }
    }

    std::vector<T> items_;
};

}  // namespace vornikat

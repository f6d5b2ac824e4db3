#pragma once
// Every change of the hero's money, experience and item counts goes through
// here: the stored values are int32 and a sum past either end must stop at
// the end, never wrap (a wrapped purse is saved negative and lost).

#include <algorithm>
#include <cstdint>

namespace velk {

// value + delta, held within low..high. The sum is taken in 64 bits, so
// no int32 operands can overflow it.
constexpr int32_t saturatingAdd(int32_t value, int64_t delta, int32_t low = 0, int32_t high = INT32_MAX) {
    return int32_t(std::clamp<int64_t>(int64_t(value) + delta, low, high));
}

// The same for a product that is then added (a price times pieces); the
// product is held first so no factor pair can overflow 64 bits.
constexpr int32_t saturatingAddProduct(int32_t value, int32_t a, int32_t b, int32_t low = 0,
                                       int32_t high = INT32_MAX) {
    return saturatingAdd(value, std::clamp<int64_t>(int64_t(a) * b, INT64_MIN / 4, INT64_MAX / 4), low, high);
}

}  // namespace velk

// CP949 text from content files: conversion and cutting must hold up against
// any bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/cp949.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = velk::toUtf8(text);
    velk::toCp949(text);
    // Whatever came in, what goes back out of UTF-8 is well formed CP949.
    const std::string back = velk::toCp949(utf8);
    if (velk::toUtf8(back).size() > utf8.size()) std::abort();

    const size_t max = size ? data[0] % 40 : 0;
    const std::string cut = velk::cutCp949(text, max);
    if (cut.size() > max || text.compare(0, cut.size(), cut) != 0) std::abort();
    if (velk::cutCp949(cut, cut.size()) != cut) std::abort();
    return 0;
}

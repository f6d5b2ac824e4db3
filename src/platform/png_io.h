#pragma once
// PNG files for screenshots and the content tools (ARGB pixels, top row first).

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

bool writePng(const std::string& path, const uint32_t* argb, uint32_t width, uint32_t height,
              bool keepAlpha = false);
// Reads any PNG into ARGB. False (with `error`) on a missing or bad file.
bool readPng(const std::string& path, std::vector<uint32_t>& argb, uint32_t& width,
             uint32_t& height, std::string* error = nullptr);

}  // namespace velk

#pragma once
// The page's canvas: the compositor's frame drawn into it as it is, one
// canvas pixel a game pixel; the page scales the canvas element by whole
// steps with sharp edges.

#include <cstdint>

namespace velk {

// Sizes the canvas's drawing buffer to width x height.
void openCanvas(int width, int height);
// Draws a width x height frame of 0xAARRGGBB pixels, opaque.
void presentToCanvas(const uint32_t* argb, int width, int height);

}  // namespace velk

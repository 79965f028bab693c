// The spark benchmark's third way of drawing the background: the pixel rows of the
// 8-bit picture, read once from its file and copied straight into the locked screen
// surface each frame, so that the raw indices show through the display palette.
#pragma once

#include <cstdint>

constexpr int kRawBackgroundWidth = 640;
constexpr int kRawBackgroundHeight = 480;

// Reads the rows of an uncompressed, bottom-up 8-bit 640x480 Windows bitmap, top row
// first. Returns false and leaves the rows as they were (all zero at first) when the
// file cannot be opened or is not such a bitmap. The pixels start where the file
// header says; a file that ends early fills only the rows it holds.
bool LoadRawBackground(const char* fileName);

// Copies the 480 rows of 640 bytes to surface memory whose rows are pitch bytes apart.
void CopyRawBackground(std::uint8_t* surface, long pitch);

// Reading back what is on the screen, for tests that check painted pixels and for the
// screenshots the documentation shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace k2q::testing {

// The pixels of a screen rectangle, row by row from the top, as 0x00RRGGBB.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

ScreenPixels CaptureScreen(const RECT& rect);

// Writes the pixels as a PNG file (GDI+ must be started); creates the folder.
bool SavePng(const ScreenPixels& pixels, const std::wstring& path);

// Where the tests keep their screenshots: "screenshots" beside the test program (in the build
// folder), whatever folder the test was started from, so a test run never writes into the
// source tree.
std::wstring ScreenshotPath(const std::wstring& fileName);

}  // namespace k2q::testing

// A real GL window for tests that draw and read pixels back (Xvfb with Mesa
// in CI). One 800 by 600 window per test process, with the six programs
// built from the Library/ copy beside the tests.
#pragma once

#include <cstdint>
#include <vector>

// Opens the window on first use. False when there is no display, so a test
// can skip instead of letting the toolkit end the process.
bool OpenTestWindow();

// Builds the six programs and the sprite buffers from ./Library (once).
bool BuildTestShaders();

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Reads one back-buffer pixel; x right and y down from the window's top-left.
Rgb PixelAt(int x, int y);

// The whole back buffer as RGB rows, top row first.
std::vector<uint8_t> ReadWindowRgb();

// Clears colour to (r, g, b) and depth to 1.
void ClearWindow(float r, float g, float b);

#define REQUIRE_TEST_WINDOW()                                  \
    do {                                                       \
        if (!OpenTestWindow()) {                               \
            GTEST_SKIP() << "no display for a GL window";      \
        }                                                      \
        ASSERT_TRUE(BuildTestShaders());                       \
    } while (0)

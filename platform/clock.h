// Millisecond clock and sleep for frame pacing and the menu confirm pause.
#pragma once

#include <cstdint>

// Milliseconds on a steady clock, wrapping like a 32-bit tick counter.
uint32_t NowMs();

void SleepMs(uint32_t milliseconds);

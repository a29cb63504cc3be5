// Icons compared by their pixels. Icon handles belong to the process that
// loaded them, so a box's icon is told apart by drawing the system icons here
// and comparing them with what the box shows on the screen.
#pragma once
#include <windows.h>

#include <stdint.h>
#include <vector>

namespace pw {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // row by row, 0x00RRGGBB
};

// What the screen shows in rect (screen coordinates).
Pixels CaptureScreen(const RECT& rect);

// A system icon (IDI_ERROR, ...) drawn at its size on a plain background.
Pixels DrawSystemIcon(LPCSTR id, int width, int height, uint32_t background);

// Pixels that differ; every pixel when the sizes differ.
size_t CountDifferences(const Pixels& a, const Pixels& b);

bool IsUniform(const Pixels& pixels);

}  // namespace pw

#pragma once

#include <functional>

// Runs the benchmarks linked into this program inside an offscreen QApplication with the font
// substitutions installed, then `afterwards` (for figures that are measured outside the
// benchmark loop). Returns the exit status for main().
int RunBenchmarks(int argc, char** argv, const std::function<void()>& afterwards = {});

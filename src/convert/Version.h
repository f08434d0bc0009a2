#pragma once

// The tool's version, shown by "Pomvex --version" and, on Windows, in its version resource
// (which includes this file, so it holds plain macros only).
#define POMVEX_VERSION_MAJOR 1
#define POMVEX_VERSION_MINOR 0

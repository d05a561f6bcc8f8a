// The product version of a module, read from the version block of its own file.
#pragma once
#include <windows.h>

// Fills *version with the fixed part of module's version block. False when the
// module's file name cannot be had, or its file has no version block or no
// fixed part; *version is then left alone.
bool Module_FixedVersion(HINSTANCE module, VS_FIXEDFILEINFO* version);

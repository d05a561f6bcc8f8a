// Pens and brushes of system colours, cached per module, and GDI calls that
// accept a NULL handle.
#pragma once
#include <windows.h>

// A solid pen of width 1 in system colour colorIndex (COLOR_...). The pen is
// the cache's: do not delete it. Once 20 colours are cached, any further
// colour gets the 20th pen.
HPEN Gdi_SysColorPen(int colorIndex);

// A solid brush of system colour colorIndex, cached as the pens are.
HBRUSH Gdi_SysColorBrush(int colorIndex);

// Deletes every cached pen and brush and empties both caches.
void Gdi_FreeCache();

// DeleteObject and SelectObject that do nothing for a NULL object;
// Gdi_SelectObject returns the object it replaced (NULL when none).
void Gdi_DeleteObject(HGDIOBJ object);
HGDIOBJ Gdi_SelectObject(HDC dc, HGDIOBJ object);

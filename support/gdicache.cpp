// The module's caches of system-colour pens and brushes: at most 20 of each,
// kept until Gdi_FreeCache.
#include "support/gdicache.h"
#include "support/app.h"

namespace {

HGDIOBJ CreatePenOf(COLORREF color)
{
    return CreatePen(PS_SOLID, 1, color);
}

HGDIOBJ CreateBrushOf(COLORREF color)
{
    return CreateSolidBrush(color);
}

HGDIOBJ CachedObject(GdiCache& cache, int colorIndex, HGDIOBJ (*create)(COLORREF))
{
    for (int i = 0; i < cache.count; ++i)
        if (cache.entries[i].colorIndex == colorIndex)
            return cache.entries[i].object;
    if (cache.count == kGdiCacheSize)
        return cache.entries[kGdiCacheSize - 1].object;
    HGDIOBJ object = create(GetSysColor(colorIndex));
    if (object)
        cache.entries[cache.count++] = {colorIndex, object};
    return object;
}

void EmptyCache(GdiCache& cache)
{
    for (int i = 0; i < cache.count; ++i)
        DeleteObject(cache.entries[i].object);
    cache = GdiCache{};
}

}  // namespace

HPEN Gdi_SysColorPen(int colorIndex)
{
    return static_cast<HPEN>(CachedObject(App().pens, colorIndex, CreatePenOf));
}

HBRUSH Gdi_SysColorBrush(int colorIndex)
{
    return static_cast<HBRUSH>(CachedObject(App().brushes, colorIndex, CreateBrushOf));
}

void Gdi_FreeCache()
{
    EmptyCache(App().pens);
    EmptyCache(App().brushes);
}

void Gdi_DeleteObject(HGDIOBJ object)
{
    if (object)
        DeleteObject(object);
}

HGDIOBJ Gdi_SelectObject(HDC dc, HGDIOBJ object)
{
    return object ? SelectObject(dc, object) : nullptr;
}

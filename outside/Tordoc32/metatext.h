// Text records of the report metafile played as UTF-8: the system writes its
// texts in UTF-8, which GDI would otherwise read in the font's code page.
#pragma once
#include <windows.h>

// Plays a META_TEXTOUT or META_EXTTEXTOUT record whose text is UTF-8 with
// non-ASCII characters through the wide-character call. Returns false, having
// drawn nothing, for other records, plain ASCII text and text that is not
// UTF-8: those are for PlayMetaFileRecord.
bool MetaText_PlayUtf8(HDC dc, const METARECORD* record);

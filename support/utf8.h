// Byte limits on UTF-8 text: a cut always falls on a character boundary, so a
// shortened text never ends in half a character.
#pragma once
#include <cstddef>

// Length in bytes of the longest start of text that has at most maxBytes
// bytes and does not split a UTF-8 sequence.
size_t Utf8_FitLength(const char* text, size_t maxBytes);

// Copies as much of source as fits in destinationSize - 1 bytes without
// splitting a character, and terminates. A NULL source gives "". Nothing is
// written when destinationSize is 0.
void Utf8_CopyCut(char* destination, size_t destinationSize, const char* source);

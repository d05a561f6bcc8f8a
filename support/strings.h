// String functions of the module: trimming, blank removal, fixed-width
// copies and file-dialog filters. Byte limits never split a UTF-8 sequence
// (support/utf8.h).
#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>

// Removes trailing blanks in place.
void Str_TrimRight(char* text);

// UTF-8 texts equal without regard to letter case, letters beyond ASCII
// included (each character upper-cased, as the file system compares names).
bool Str_SameIgnoringCase(const std::string& a, const std::string& b);

// Length of at most the first n bytes of text, without trailing blanks.
int Str_TrimmedLength(const char* text, int n);

// Zero-fills n+1 bytes of destination, then copies source without trailing
// blanks, at most n bytes (never a partial UTF-8 sequence).
void Str_CopyTrimmed(char* destination, const char* source, int n);

// Removes every blank in place.
void Str_RemoveBlanks(char* text);

// Writes exactly n bytes and a terminator at n: source up to its terminator
// or n bytes (never a partial UTF-8 sequence), control characters and blanks
// (bytes below 33) as blanks, the rest padded with blanks. n below 1 gives "".
// destination holds n+1 bytes.
void Str_CopyFixed(char* destination, const char* source, int n);

// A text of the language data with numbers in it, never used as a printf
// format (a translation could name other conversions): each "%d" takes the
// next of numbers, "%%" is a percent sign, and any other conversion, or a
// "%d" beyond the numbers, stays as it is written.
std::string Str_FillNumbers(const char* text, std::initializer_list<long> numbers);
// The same for texts: each "%s" takes the next of texts (NULL as "").
std::string Str_FillTexts(const char* text, std::initializer_list<const char*> texts);

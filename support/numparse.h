// Private to the number fields: a text read as exactly one number of a type.
#pragma once
#include <string>

// True when the whole text (leading blanks allowed) is one number that fits
// the type; an empty text reads as 0. For float and double a comma counts as
// decimal point. On false the value is left alone.
bool NumParse_Whole(std::string text, float* value);
bool NumParse_Whole(std::string text, double* value);
bool NumParse_Whole(std::string text, long* value);
bool NumParse_Whole(std::string text, short* value);
bool NumParse_Whole(std::string text, unsigned char* value);

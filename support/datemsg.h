// The messages about date input, in the module's message language.
#pragma once

// Sets the message language: 'E' English, 'F' Finnish, 'S' Swedish. Any other
// code shows "Warning:Unknown dialog language code!" and changes nothing.
void Dlg_SetMessageLanguage(char language);

// Message 0 to 3 (date format, week format, year check, four-digit year) in
// the message language; another index gives "".
const char* Dlg_GetFormatMessage(int index);

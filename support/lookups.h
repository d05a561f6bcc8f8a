// Lookups shared by the modules: the text id of a currency unit label, input
// limits of the technical data with their range test, and the display names
// of insulation products and surface materials. They read the module's copies
// of the technical database handles and the loaded project page; a module
// that uses them links the technical and project database libraries and the
// language text library, and hands over its handles with Lookup_SetHandles.
#pragma once
#include <windows.h>

// The handles the lookups use: the technical data, the other-insulation
// database (its sentinel while closed) and the module's language texts.
// Called when the module is loaded and again when it opens its texts.
void Lookup_SetHandles(short techDb, short otherInsulationDb, short textHandle);

// Makes technical attribute `attribute` the product name of Product_GetName
// whatever the project's naming language; 0 returns to the naming language.
void Lookup_SetNameAttribute(short attribute);

// Language text id of the label of currency unit kind 1 to 5 in the project's
// price currency (project attribute 1132); 0 for another kind.
long Price_CurrencyUnitTextId(short kind);

// Minimum and maximum of the input named key (record class "DC"); an input
// without a limit record reads 0 .. 0 (every key the program checks has one;
// the lookup tests list them). Returns 0, or -1 when key is NULL (nothing is
// stored then).
int InputLimits_Get(const char* key, float* minimum, float* maximum);

// Default value of the input named key, 0 when none is stored. Returns 0, or
// -1 when key is NULL.
int InputLimits_GetDefault(const char* key, float* value);

// 0 when value lies within the limits of key (ends included) or key is NULL;
// -1 outside, after showing the allowed range over owner when warn is nonzero.
int InputLimits_Check(HWND owner, float value, const char* key, short warn);

// Display name of a product in the project's naming language (project
// attribute 1129), from the technical data, else from the other-insulation
// database, else language text 40039. The result lives in the module's name
// buffer, valid until the next product or material name is asked.
const char* Product_GetName(const char* productCode, const char* recordClass);

// Display name of the product of a part of the loaded page (its product group
// and code); in the name buffer as Product_GetName.
const char* Product_GetNameOfPart(long part);

// Name of a surface material (record class "CM"); NULL takes the material of
// the loaded page. A code without a material text gives language text 20043.
// In the name buffer as Product_GetName.
const char* Product_GetCmText(const char* materialCode);

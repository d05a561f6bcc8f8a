// Private to the lookups: the handles and the name buffer they share.
#pragma once

struct LookupGlobals {
    short techDb = -1;
    short otherInsulationDb = -1;
    short textHandle = 0;
    short nameAttribute = 0;   // technical attribute of product names; 0: by naming language
    char name[256] = {};   // shared by the product and material names
};

// The lookups' state of this module.
LookupGlobals& Lookups();

// A language text of the module's text handle; never NULL.
const char* Lookup_Text(long textId);

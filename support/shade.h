// The two shaded frame window classes: "QSHADEA" (raised: light bottom and
// right edges) and "QSHADEB" (sunken: the colours the other way round).
#pragma once

// Registers both classes for the module's instance. Returns true when both are
// registered (also when they already were).
bool Shade_RegisterClasses();

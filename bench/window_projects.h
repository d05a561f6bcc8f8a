// The window benchmark's projects: one system as a user makes it (a steam
// pipe under three mineral wool layers with products chosen, calculated and
// saved by the program itself), then copied by the project library into a
// project of as many systems as asked, each under a name of its own.
#pragma once
#include <string>

// Name of the system at position (0-based) of a project.
std::string Projects_SystemName(int position);

// Makes seed: the system's inputs written, then calculated and saved by the
// program at exe. False with the reason in error.
bool Projects_MakeSeed(const std::string& exe, const std::string& seed, std::string* error);

// Writes file as seed's system copied until the project holds systems
// systems. False with the reason in error.
bool Projects_Grow(const std::string& seed, const std::string& file, int systems, std::string* error);

#pragma once

#include <cstdint>

// The four persisted settings, read and written through the standard user defaults.
namespace Defaults {

bool firstLaunch();
void setFirstLaunch(bool value);
bool randomColors();
void setRandomColors(bool value);
std::int64_t currentAction();
void setCurrentAction(std::int64_t value);
std::int64_t skipUpdateBuild();
void setSkipUpdateBuild(std::int64_t value);

// Registers the values every read falls back to until something is stored.
void registerDefaults();

}  // namespace Defaults

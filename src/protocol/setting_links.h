// What the drivers need beyond the table of settings (config/settings.h): where
// each value is held and what follows a change made through an option. The
// table cannot name them itself: most are kept by layers above config.
#pragma once
#include <cstddef>
#include <cstdint>

#include "config/settings.h"

struct SettingLink {
    int32_t* number = nullptr;  // Number, Switch, Choice
    char* text = nullptr;       // Text, a field of textSize bytes
    size_t textSize = 0;
    // Run after a driver has changed the setting, with the number it held
    // before (0 for texts and buttons). The file's reading at start-up runs
    // none: it sizes the tables itself, and each driver loads the bitbases
    // when it starts.
    void (*changed)(int32_t previous) = nullptr;
};

// The setting's value, where config or the layer above that keeps it holds
// it, and its reaction to a change.
SettingLink linkOf(const Setting& s);

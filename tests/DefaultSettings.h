// Settings as a new installation has them.
#pragma once

#include "TAppSettings.h"

inline TAppSettings DefaultSettings()
{
    TAppSettings settings;
    settings.SetDefaults();
    return settings;
}

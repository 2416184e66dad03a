// The settings file settings2.xml in the user's configuration folder, which
// keeps the settings between runs of the application.
#pragma once

#include <QString>

class TAppSettings;

// ~/.config/Tamborix/settings2.xml, in the platform's folder for the user's
// configuration.
QString SettingsFilePath();

// Gives settings their defaults and then, when the file exists, the values it
// holds; the file may also be in UTF-8 or UTF-16BE, as a text editor may leave
// it. Throws TXmlError or TFileError when it cannot be read, also for anything
// but a regular file and for a file above 16 MiB, and TSettingsError for a
// number outside its range (SettingsLimits.h): after a file or reader error, a
// number out of range, or for a document without the element "Settings", the
// defaults stay; after a value that does not convert the values read before it
// stay.
void LoadSettings(TAppSettings& settings, const QString& path);

// Copies a settings file that could not be read to path + ".unreadable",
// replacing an older copy, and returns the copy's path; the next save would
// otherwise replace all that the user had in it. Returns an empty text when
// there is no regular file to keep (a save would not replace anything else).
// Throws TFileError.
QString KeepUnreadableSettings(const QString& path);

// Writes settings to the file, creating its folder, and every folder above it,
// when missing: on a new account even the configuration folder may not exist.
// The old file is replaced only when the new one is complete. Throws TFileError.
void SaveSettings(const TAppSettings& settings, const QString& path);

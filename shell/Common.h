#pragma once
// The process-wide configuration: directories, language and a few stored
// choices, read once at start-up from the configuration store.
//
// The store is an ini file per user ("Velmora.ini", sections "Common" and
// "Directory") in $VELMORA_CONFIG_DIR, else $XDG_CONFIG_HOME/Velmora/8.2, else
// ~/.config/Velmora/8.2. Directories default to the shipped data tree (the
// install directory): $VELMORA_HOME, else "data" or "share/velmora" beside the
// executable's folder, else the source tree's data folder.
//
// Settings files ("Environment.ini", "Main.ini", tool files) belong in the
// settings directory, Bin + "/Textile". The install tree may be read-only, so
// the program reads and writes them in a per-user copy of that folder (the
// "Textile" folder beside the store), seeded from the shipped file the first
// time one is asked for. Language files are always read from the shipped tree.

#include <QString>

class TStringTable;

struct TConfiguration {
    QString Language;
    QString DefaultFontName;
    QString Select;
    QString Bin;
    QString Color;
    QString Texture;
    QString TextileOpen;
    QString WeaveOpen;
    QString KnitOpen;
    QString Style;
    QString Treatment;
    QString TREG_Size;
    QString TUnits;
    QString TempDir;
    QString SettingsDir;     // the shipped Bin + "/Textile"
    QString UserSettingsDir; // the per-user copy where settings files are read and written
};

extern TConfiguration Configuration;

// Fills Configuration from the store; missing values take their defaults. Never fails.
void LoadConfiguration();

// The shipped data tree the directories default to.
QString InstallDirectory();
// The folder of the per-user configuration store.
QString ConfigDirectory();
// The store itself.
QString ConfigStoreFile();
// Writes one value into the store (section "Common" or "Directory"); false if it cannot.
bool WriteConfigValue(const QString& section, const QString& name, const QString& value);

// The per-user path of a settings file, copied from the shipped settings
// directory on first use when the user has none yet.
QString SettingsFile(const QString& name);

// Language folders: "" = Bin, "Textile" = Bin + "/Textile", "Carpet" = Bin + "/Carpet".
QString LanguageDirectory(const QString& folder);

// The three process-wide tables, loaded by LoadAppTables.
struct TAppTables {
    TStringTable* Message = nullptr;
    TStringTable* Common = nullptr;
    TStringTable* Main = nullptr;
};
extern TAppTables AppTables;
// Loads "Message" and "Common" from Bin and "Main" from Bin + "/Textile" in the
// configured language, and makes the message table the one ReportError reads.
void LoadAppTables();
void FreeAppTables();

// The title of the application, shown in the main caption and message boxes.
inline constexpr const char* kApplicationTitle = "Velmora Design CAD System - Carpet (Professional)";

// The program directory as the store names it (Bin), for the splash window,
// which shows before the configuration is read.
QString ProgramDirectory();

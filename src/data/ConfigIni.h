#pragma once

#include <QString>

// The configuration file Config.INI in the working directory. Its name is
// matched without regard to letter case; values are read and written raw.
namespace ConfigIni {

// The file's name as found in the working directory, or "Config.INI".
QString fileName();
bool exists();

// One key of one section; a missing file, section or key reads as empty.
QString read(const QString& section, const QString& key);
// Creates the file, section or key as needed and keeps every other line.
void write(const QString& section, const QString& key, const QString& value);
void remove();

// Section "PASTA", key "PATH": the database folder.
QString readFolder();
void writeFolder(const QString& folder);

} // namespace ConfigIni

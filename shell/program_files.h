#pragma once

#include <QString>

namespace kamerol::shell {

// Where the program's own files are. As built, and in a portable copy, they stand beside the program; as
// installed, in the data folder of the installation, found relative to the program's folder.

// The folder that holds the sound cues: beside the program when they are there, else the installed data folder.
QString programDataFolder(const QString& programFolder);

// Whether the program runs from an installation: its cues are in the installed data folder, not beside it.
bool isInstalledProgram(const QString& programFolder);

// The calculations folder when none is stored: the program's folder for a portable program that may write there;
// for an installed program, or one whose folder is read-only, the "Kamerol" folder in `documentsFolder`.
QString defaultCalculationsFolder(const QString& programFolder, const QString& documentsFolder);

// The same for the running program and the user's documents folder.
QString defaultCalculationsFolder();

// Creates the default calculations folder of the running program when it is the one in the documents folder and
// does not exist yet; a stored folder is used as it is.
void createDocumentsCalculationsFolder(const QString& folder);

}  // namespace kamerol::shell

#pragma once

#include <QString>

#include <functional>

namespace kamerol::shell {

// Where the program's own files are. As built, and in a portable copy, they stand beside the program; as
// installed, in the data folder of the installation, found relative to the program's folder.

// The folder that holds the sound cues: beside the program when they are there, else the installed data folder.
QString programDataFolder(const QString& programFolder);

// Whether the program runs from an installation: its cues are in the installed data folder, not beside it (a
// package), or the Windows installer's uninstaller stands beside it.
bool isInstalledProgram(const QString& programFolder);

// Whether a file can be created in `folder` now, found by creating one and removing it again. Permission bits
// say nothing of a Windows folder's access list: Program Files refuses a standard user whatever they show.
bool canCreateFilesIn(const QString& folder);

// The calculations folder when none is stored: the program's folder for a portable program that may write there
// (as `canWrite` finds); for an installed program, or one whose folder refuses files, the "Kamerol" folder in
// `documentsFolder`.
QString defaultCalculationsFolder(const QString& programFolder, const QString& documentsFolder,
                                  const std::function<bool(const QString&)>& canWrite = canCreateFilesIn);

// The same for the running program and the user's documents folder.
QString defaultCalculationsFolder();

// Creates the default calculations folder of the running program when it is the one in the documents folder and
// does not exist yet; a stored folder is used as it is.
void createDocumentsCalculationsFolder(const QString& folder);

}  // namespace kamerol::shell

#pragma once

#include <QString>

// Where an installed program keeps what belongs to its user, and where its file dialogs start.
//
// A copy installed by the package or `make install` has a marker file beside the program: it
// never writes into its own folder (that would leave root's settings to every later user), so
// its ZN.INI and the remembered dialog folders live in the per-user folder, root included. A
// portable copy or the build folder keeps ZN.INI beside the program as long as that folder is
// writable.

// The marker file's name ("zn.installed"); its content does not matter.
QString InstalledMarkerName();
// True when `appFolder` (ending in a separator) holds the marker as a regular file.
bool IsInstalledCopy(const QString& appFolder);
// True when a file can really be created in `folder` (permission bits alone can mislead:
// read-only mounts, ACLs).
bool IsWritableFolder(const QString& folder);
// The folder for settings kept per user: `configFolder` when the copy in `appFolder` is installed
// or its folder is not writable, empty when settings stay beside the program (or when there is
// no per-user folder to use).
QString PerUserFolder(const QString& appFolder, const QString& configFolder);

// The folder a file dialog of `type` (0-4, see FileDialog) starts in. With settings beside the
// program (`userFolder` empty) that is the program folder; otherwise the folder last used for
// that kind of file, else the documents folder, else home, whichever exists first.
QString DialogStartFolder(int type, const QString& appFolder, const QString& userFolder);
// Remembers the folder of `chosenFile` for the kind of file of dialog `type` in `userFolder`
// (the file ZNDIR.INI beside the per-user ZN.INI). Does nothing when `userFolder` is empty.
// False when the file could not be written; the dialog still goes on.
bool RememberDialogFolder(int type, const QString& chosenFile, const QString& userFolder);

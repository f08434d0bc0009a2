#pragma once

// Makes Qt's own dialogs and buttons speak Japanese, whatever the user's language: loads Qt's
// Japanese translation, makes Japanese the default locale and keeps Qt's own file dialogs
// (the desktop's native ones follow the user's language). Call once the application exists.
// Returns false when Qt's Japanese translation is not installed; the dialogs then stay English.
bool InstallJapaneseDialogs();

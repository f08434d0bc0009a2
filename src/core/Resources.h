#pragma once

#include <QByteArray>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

// Pictures carried by the program, by name, as Format_RGB32 images of their documented sizes:
// "background" 632x434, "sprites" 353x193, "mark" 220x220, "logo" 260x128, "seal" 64x64.
// A missing picture gives a black image of the documented size.
QImage LoadPicture(const QString& name);
// Starts decoding these pictures on another thread; LoadPicture then takes the result (waiting
// for it if need be) instead of decoding again. The start uses this while Qt sets itself up.
void PrefetchPictures(const QStringList& names);
// WAVE image of sound resource 11-15 (type "ZAV_SOUND"); empty when missing.
QByteArray LoadSound(int id);
// Cursor resource 8 (exit button, close mark) or 9 (link pointer).
QCursor LoadCursor(int id);
// Icon resource: 1 the program, 5 the editor.
QIcon LoadIcon(int id);

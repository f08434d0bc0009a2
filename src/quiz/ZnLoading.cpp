#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/SafeFile.h"
#include "data/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

bool IsOn(const QString& field) {
    return field == QLatin1String("ON ");
}

// A one-digit settings field as a number; the settings file repairs non-numeric fields, so the
// fallback only guards against a record changed in memory.
int FieldNumber(const QString& field, int fallback) {
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

void ZN::LoadSettings() {
    const LoadSettingsResult result = ::LoadSettings(G().IniPath, G().Settings);
    if (!result.ok) reportSettingsFailure(result.writeFailed);
    if (result.hasBackgroundLine) {
        const QString path = result.backgroundPath;
        if (PathKind(path) == 0) {
            setBackgroundPicture(builtInBackground_);
        } else if (!loadBackgroundFrom(path)) {
            // Only a missing file gets the "does not exist" text; a missing folder or an
            // unreadable picture gets the general one.
            const QFileInfo info(path);
            const bool missingFile = info.dir().exists() && !info.exists();
            ResMsgBox(this, MsgError, TitleReadError,
                      missingFile ? TextFileMissing : TextFileUnusable, 69);
            // The settings just read still apply, on the picture the window carries.
            setBackgroundPicture(builtInBackground_);
        }
    }
    ApplySettings();
}

void ZN::reportSettingsFailure(bool writeFailed) {
    if (settingsFailureReported_) return;
    settingsFailureReported_ = true;
    // A file that was read but could not be written still gave its settings; only a failed
    // read falls back to the defaults.
    if (writeFailed)
        ResMsgBox(this, MsgError, TitleWriteError, TextSettingsNotWritten, 0);
    else
        ResMsgBox(this, MsgError, TitleReadError, TextSettingsIoFailed, 0);
}

bool ZN::loadBackgroundFrom(const QString& path) {
    // A pipe or device named as the picture would block the reader, and the window with it.
    if (!IsRegularFile(path)) return false;
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull()) return false;
    setBackgroundPicture(picture);
    return true;
}

void ZN::setBackgroundPicture(const QImage& picture) {
    // Drawn as it is at the top-left: a smaller picture leaves the window colour around it,
    // a larger one is cut at the client area.
    background_.fill(WinColor(0xC0C0C0));
    QPainter painter(&background_);
    painter.drawImage(0, 0, picture);
}

void ZN::ApplySettings() {
    const SettingsRecord& r = G().Settings;
    st.playSounds = IsOn(r.soundOn);
    st.readPress = IsOn(r.readPressOn);
    st.shuffle = IsOn(r.randomOrder);
    st.revealMode = IsOn(r.revealOn);
    st.extraChars = st.readPress ? FieldNumber(r.readPressChars, 2) : 0;
    st.fontResId = IsOn(r.gothicFont) ? FontGothic : FontMincho;
    st.timeOverVerdict = r.timeOverMark == QLatin1String("O");
    st.baseInterval = FieldNumber(r.speedLevel, 3) * 30 + 20;

    ClearBoard();
    composeArtwork();
    fontName_ = LoadResString(st.fontResId);
}

void ZN::ClearBoard() {
    Blit(drawing, 0, 0, background_, 0, 0, drawing.width(), drawing.height());
    rules_.clearQuestion();
    Blit(Kazu, 0, 0, G().SkinDC, 0, 300, 200, 110);
    ShowTime(0, 0);
    setTimerInterval(st.baseInterval);
    refresh();
}

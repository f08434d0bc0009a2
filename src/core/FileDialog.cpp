#include "core/FileDialog.h"

#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/RecordFormat.h"
#include "core/ResText.h"
#include "core/SafeFile.h"
#include "core/Sjis.h"
#include "core/UserFolders.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>

namespace {

// "desc,pattern,desc,pattern," -> description/pattern pairs (a trailing comma ends the list).
QList<FileFilter> FiltersFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    QList<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(FileFilter{parts[i], parts[i + 1]});
    return filters;
}

QString FilterText(int type) {
    switch (type) {
    case 0:
    case 3:
        return ResJoin(120, 122);
    case 1:
        return ResJoin(120, 123);
    case 2:
        // PNG and .jpeg load as well as the three classic kinds, and any name may be typed.
        return ResJoin(TextPictureFilter, 122);
    default:
        return LoadResString(123);
    }
}

bool IsCsvName(const QString& path) {
    return path.right(3).compare(QStringLiteral("CSV"), Qt::CaseInsensitive) == 0;
}

// Message and second line for a file refused as question data.
void RefusalFor(int type, const QString& path, qint64 length, int& text, int& second) {
    if (length % 211 == 0 || length % 279 == 0) {
        text = 43; // an earlier record format
        second = 40;
    } else if (type == 0 && IsCsvName(path)) {
        text = 44; // a question list still to be converted
        second = 47;
    } else {
        text = 45;
        second = 40;
    }
}

} // namespace

bool IsLogFile(const QString& path, int& dataLines) {
    // A pipe named like a log would block the read until something writes to it.
    if (!IsRegularFile(path)) return false;
    QFile file(path);
    if (file.size() > MaxLogBytes || !file.open(QIODevice::ReadOnly)) return false;
    // Sized by the file, not by the limit: asking for the limit would reserve 64 MB each time.
    const QByteArray bytes = file.read(qMin(file.size(), MaxLogBytes) + 1);
    if (bytes.size() > MaxLogBytes || file.error() != QFileDevice::NoError) return false;
    if (!SjisDecode(bytes).contains(ResText(TextLogTitle, G().AppTitle))) return false;
    // The header line is not a data line; a log cut short before its first line end has none.
    dataLines = qMax<int>(0, int(bytes.count("\r\n")) - 1);
    return true;
}

void FileDialog(QWidget* owner, int type) {
    AppGlobals& g = G();
    const QList<FileFilter> filters = FiltersFromText(FilterText(type));
    const QString title = ResText(130 + type);
    const bool save = type >= 3;

    qint64 lastLength = 0;
    int lengthFailures = 0;
    for (;;) {
        const QString start = DialogStartFolder(type, g.AppFolder, g.UserFolder);
        const QString chosen = save ? platform().saveFileName(owner, title, filters, start)
                                    : platform().openFileName(owner, title, filters, start);
        g.WorkHandle = chosen.isEmpty() ? 0 : 1;
        g.LogFileFlag = false;
        if (chosen.isEmpty()) {
            g.CurrentFile.clear();
            return;
        }
        g.CurrentFile = TrimNul(chosen);
        // The folder is remembered even for a file refused below: it is where the user looks.
        RememberDialogFolder(type, g.CurrentFile, g.UserFolder);
        if (type >= 2) return;

        // A log is recognised by its content before any length test, so that a log whose length
        // happens to be a multiple of a record length is neither misread as questions nor
        // refused as an old file.
        const bool csv = IsCsvName(g.CurrentFile);
        int dataLines = 0;
        if (type == 1 && csv && IsLogFile(g.CurrentFile, dataLines)) {
            g.LogFileFlag = true;
            g.RecordCount = dataLines;
            return;
        }

        // A file whose length cannot be read (gone, not a plain file) is tested with the last
        // length seen in this call; the second such failure gives up.
        const QFileInfo info(g.CurrentFile);
        if (IsRegularFile(g.CurrentFile)) {
            lastLength = info.size();
            if (lastLength % QuestionFormat::RecordLength == 0) {
                g.RecordCount = int(lastLength / QuestionFormat::RecordLength);
                return;
            }
        } else if (++lengthFailures >= 2) {
            g.CurrentFile.clear();
            return;
        }

        int text = 0, second = 0;
        RefusalFor(type, g.CurrentFile, lastLength, text, second);
        ResMsgBox(owner, MsgError, TitleReadError, text, second);
        g.CurrentFile.clear();
    }
}

void SaveFileDialog(QWidget* owner, int type) {
    QString& chosen = G().CurrentFile;
    for (;;) {
        FileDialog(owner, type);
        if (chosen.isEmpty()) return;
        const QString named = AddExt(type == 4 ? 1 : 0, chosen);
        // The dialog asked about the name as typed only.
        if (named != chosen && QFileInfo::exists(named) &&
            platform().messageBox(owner, MsgReplace, LoadResString(83),
                                  ResText(TextReplaceFile, QFileInfo(named).fileName())) !=
                AnswerYes)
            continue;
        chosen = named;
        return;
    }
}

QString AddExt(int kind, const QString& name) {
    // Only a three-letter extension counts ("a.html" still gets one); a name shorter than four
    // characters has none.
    if (name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.')) return name;
    return name + LoadResString(kind == 1 ? 151 : 150);
}

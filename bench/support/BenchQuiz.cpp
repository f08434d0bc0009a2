#include "support/BenchQuiz.h"

#include "core/AppGlobals.h"
#include "data/QuestionFile.h"

#include <QDir>
#include <QFile>

QString WriteBenchQuiz(const QString& folder, const SettingsRecord& settings) {
    QFile ini(G().IniPath);
    if (ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) ini.write(settings.toBytes());
    const QString path = QDir(folder).filePath(QStringLiteral("bench.znd"));
    WriteRecordTexts(path, {ComposeRecordText(QStringLiteral("速").repeated(144),
                                              QStringLiteral("答"), QLatin1Char('1'))});
    return path;
}

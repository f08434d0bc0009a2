#include "convert/CommandLine.h"

#include "convert/Conversion.h"
#include "convert/Version.h"

#include <QFileInfo>

namespace {

const char* HelpText = R"(使い方: Pomvex [ｵﾌﾟｼｮﾝ] 入力ﾌｧｲﾙ [出力ﾌｧｲﾙ]

表計算ｿﾌﾄで作った問題の一覧（CSVまたはﾀﾌﾞ区切りのﾃｷｽﾄ）をZNの問題ﾌｧｲﾙ(.znd)に
変換します。1行が1問です。1行目が「問題」「解答」「ジャンル」（「設問」「答え」「正解」
「分野」「種別」なども可）などの見出しなら、その名前の列を読み、ほかの列（No.、出典、
備考など）は読み飛ばします。見出しがなければ、列は 問題, 解答, ジャンル の順です。
ジャンルは1～7の数字かジャンル名です。出力ﾌｧｲﾙを省くと、入力ﾌｧｲﾙと同じ名前で拡張子を
.znd（--export では .csv）にしたﾌｧｲﾙに書きます。

ｵﾌﾟｼｮﾝ:
  -e, --encoding 名前   文字ｺｰﾄﾞを指定する: auto（既定）, utf8, utf16, sjis
  -g, --good-only       ｴﾗｰのある行を除いて書き込む
  -c, --cut             長すぎる問題（288ﾊﾞｲﾄ超）と解答（60ﾊﾞｲﾄ超）を切り詰める
  -k, --columns 並び    列を左から指定する: q 問題, a 解答, g ジャンル, ほかの文字は
                        読まない列（例: --columns n,q,a,g）。見出しより優先する
  -y, --yen-fullwidth   ¥ と ‾ を全角（￥ ￣）で書く（既定は半角）
  -x, --export          逆変換: 問題ﾌｧｲﾙを表計算ｿﾌﾄ用のCSV（UTF-8）に書き出す
  -f, --force           出力ﾌｧｲﾙが既にあれば置き換える
  -h, --help            この説明を表示する
  -v, --version         版を表示する

終了ｺｰﾄﾞ: 0 成功, 1 ｴﾗｰのある行があった, 2 入力を使えない・書き込みに失敗した
問題点は「ﾌｧｲﾙ:行: 理由」の形で標準ｴﾗｰ出力に書きます。
)";

struct Options {
    TableEncoding encoding = TableEncoding::Auto;
    bool goodOnly = false;
    bool cut = false;
    bool exportTable = false;
    bool force = false;
    bool yenFullWidth = false;
    std::optional<ColumnMap> columns;
    QStringList files;
};

bool parseEncoding(const QString& name, TableEncoding* out) {
    const QString n = name.toLower().remove(u'-').remove(u'_');
    if (n == u"auto")
        *out = TableEncoding::Auto;
    else if (n == u"utf8")
        *out = TableEncoding::Utf8;
    else if (n == u"utf16")
        *out = TableEncoding::Utf16;
    else if (n == u"sjis" || n == u"shiftjis" || n == u"cp932")
        *out = TableEncoding::Cp932;
    else
        return false;
    return true;
}

QString withSuffix(const QString& path, const char* suffix) {
    QString base = path;
    const QString old = QFileInfo(path).suffix();
    if (!old.isEmpty()) base.chop(old.size() + 1);
    return base + QLatin1String(suffix);
}

bool samePath(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    if (x.exists() && y.exists()) return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

QString severityPrefix(Severity s) {
    switch (s) {
    case Severity::Warning:
        return QStringLiteral("注意: ");
    case Severity::Note:
        return QStringLiteral("情報: ");
    default:
        return QString();
    }
}

} // namespace

QString VersionLine() {
    return QStringLiteral("Pomvex %1.%2").arg(POMVEX_VERSION_MAJOR).arg(POMVEX_VERSION_MINOR);
}

int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err) {
    Options opt;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(u'-') || a == u"-") {
            opt.files << a;
        } else if (a == u"--") {
            optionsEnded = true;
        } else if (a == u"-h" || a == u"--help") {
            out << QString::fromUtf8(HelpText);
            return ExitOk;
        } else if (a == u"-v" || a == u"--version") {
            out << VersionLine() << '\n';
            return ExitOk;
        } else if (a == u"-g" || a == u"--good-only") {
            opt.goodOnly = true;
        } else if (a == u"-c" || a == u"--cut") {
            opt.cut = true;
        } else if (a == u"-x" || a == u"--export") {
            opt.exportTable = true;
        } else if (a == u"-f" || a == u"--force") {
            opt.force = true;
        } else if (a == u"-y" || a == u"--yen-fullwidth") {
            opt.yenFullWidth = true;
        } else if (a == u"-k" || a == u"--columns" || a.startsWith(u"--columns=")) {
            QString value;
            if (a.startsWith(u"--columns="))
                value = a.mid(10);
            else if (i + 1 < args.size())
                value = args[++i];
            ColumnMap columns;
            if (!ParseColumns(value, &columns)) {
                err << "Pomvex: 列の並び「" << value
                    << "」は使えません（q, a, g を1つずつ、例: --columns n,q,a,g）\n";
                return ExitUnusable;
            }
            opt.columns = columns;
        } else if (a == u"-e" || a == u"--encoding" || a.startsWith(u"--encoding=")) {
            QString value;
            if (a.startsWith(u"--encoding="))
                value = a.mid(11);
            else if (i + 1 < args.size())
                value = args[++i];
            if (!parseEncoding(value, &opt.encoding)) {
                err << "Pomvex: 文字ｺｰﾄﾞ「" << value
                    << "」は使えません（auto, utf8, utf16, sjis）\n";
                return ExitUnusable;
            }
        } else {
            err << "Pomvex: ｵﾌﾟｼｮﾝ「" << a << "」はありません（Pomvex --help で説明を表示）\n";
            return ExitUnusable;
        }
    }
    if (opt.files.isEmpty() || opt.files.size() > 2) {
        err << "Pomvex: 入力ﾌｧｲﾙを1つ指定して下さい（Pomvex --help で説明を表示）\n";
        return ExitUnusable;
    }
    const QString input = opt.files[0];
    const QString output = opt.files.value(1, withSuffix(input, opt.exportTable ? ".csv" : ".znd"));
    // Said before the output is looked at: a missing "list.znd" would otherwise be reported as
    // the output replacing its own input.
    if (const QFileInfo in(input); !in.isFile()) {
        err << input << ": " << (in.exists() ? "普通のﾌｧｲﾙではありません" : "ﾌｧｲﾙがありません")
            << '\n';
        return ExitUnusable;
    }
    if (samePath(input, output)) {
        err << output << ": 入力ﾌｧｲﾙと同じﾌｧｲﾙには書き込めません\n";
        return ExitUnusable;
    }
    // An existing file is replaced only on request; the check comes right before a write, so
    // a list with errors is still reported in full.
    auto refuseExisting = [&] {
        if (!QFileInfo::exists(output) || opt.force) return false;
        err << output << ": 既にあります（置き換えるには --force）\n";
        return true;
    };

    if (opt.exportTable) {
        if (refuseExisting()) return ExitUnusable;
        int records = 0;
        QString error;
        if (!ExportQuestionFile(input, output, &records, &error)) {
            err << (error.startsWith(QStringLiteral("書き込め")) ? output : input) << ": " << error
                << '\n';
            return ExitUnusable;
        }
        out << output << ": " << GroupedNumber(records) << "問を書き出しました\n";
        return ExitOk;
    }

    TableFile table;
    QString error;
    if (!ReadTableFile(input, opt.encoding, table, &error)) {
        err << input << ": " << error << '\n';
        return ExitUnusable;
    }
    const CheckedTable checked =
        CheckTable(table.rows, CheckOptions{opt.cut, !opt.yenFullWidth, opt.columns});
    if (checked.heading)
        err << input << ':' << checked.heading->row << ": " << severityPrefix(Severity::Note)
            << "見出しの行として読み飛ばしました\n";
    for (const RowIssue& issue : checked.fileIssues)
        err << input << ": " << severityPrefix(issue.severity) << issue.reason << '\n';
    for (const CheckedRow& row : checked.rows)
        for (const RowIssue& issue : row.issues)
            err << input << ':' << row.row << ": " << severityPrefix(issue.severity) << issue.reason
                << '\n';
    err << input << ": " << SummaryText(checked) << "（" << EncodingName(table.encoding) << "、"
        << (table.separator == u'\t' ? "ﾀﾌﾞ区切り" : "ｶﾝﾏ区切り") << "、"
        << ColumnsText(checked.columns) << "）\n";

    const bool writes = checked.errorRows == 0 || opt.goodOnly;
    const bool anyRow = checked.errorRows < checked.rows.size() || checked.rows.isEmpty();
    if (writes && anyRow && refuseExisting()) return ExitUnusable;
    int written = 0;
    switch (WriteQuestions(checked, output, opt.goodOnly, &written, &error)) {
    case WriteResult::Written:
        out << output << ": " << GroupedNumber(written) << "問を書き込みました\n";
        return checked.errorRows > 0 ? ExitRowErrors : ExitOk;
    case WriteResult::RowErrors:
        err << output << ": " << error << "（ｴﾗｰの行を除いて書き込むには --good-only）\n";
        return ExitRowErrors;
    case WriteResult::NothingToWrite:
        err << output << ": " << error << '\n';
        return checked.errorRows > 0 ? ExitRowErrors : ExitUnusable;
    default:
        err << output << ": " << error << '\n';
        return ExitUnusable;
    }
}

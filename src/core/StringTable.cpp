#include "core/StringTable.h"

#include <array>

namespace {

struct Entry {
    int id;
    const char16_t* text;
};

// Every text the program shows or uses as a fixed name. Blanks at either end are part of a
// text; half-width and full-width forms are different characters.
constexpr Entry Entries[] = {
    {21, u"文学・歴史"},
    {22, u"社会・地理"},
    {23, u"生物・科学"},
    {24, u"芸能・音楽"},
    {25, u"スポーツ"},
    {26, u"～語で「……」"},
    {27, u"未定義"},
    // Credits and the site address.
    {30, u"ZN Team"},
    {31, u" Version @.0 Level "},
    {32, u"Copyright (C) 2024-2026 @"},
    {33, u"Made by the ZN team"},
    {34, u"Hayaoshi quiz trainer"},
    {35, u"ZN - practice for buzzer quizzes"},
    {36, u"https://zn-quiz.example.org/"},
    {37, u"Special Thanks"},
    {38, u"dddd,d,mmmm,yyyy  hh:nn:ss a/p.\\m."},
    {39, u"[ﾌｧｲﾙ(F)]ﾒﾆｭｰから[開始(S)]を選択して下さい。"},
    {40, u"Fileを読み直して下さい。"},
    {41, u"選択中のFileを無効にします。"},
    {42, u"Fileを指定して下さい。"},
    {43, u"旧Fileは使用出来ません、"},
    {44, u"CSV Fileは使用出来ません、"},
    {45, u"指定されたFileは使用出来ません、"},
    {46, u"指定されたFileは存在しません、"},
    {47, u"Pomvexで変換して下さい。"},
    {48, u"Logを保存しますか？"},
    {49, u"罫線（印刷が遅くなる場合があります）"},
    {50, u"問題が未入力です。"},
    {51, u"解答が未入力です。"},
    {52, u"ジャンルが未入力です。"},
    {53, u"ジャンル不正です。"},
    {54, u"@番目のDataを表示中です。"},
    {55, u"これ以上Dataを入力出来ません。"},
    {56, u"「@」という語句を発見しました。"},
    {57, u"「@」という語句を含む問題はありません。"},
    {58, u"問で出題終了です、再度実行する場合は"},
    {59, u"表示中の問題を削除しますか？"},
    {60, u"全Dataを削除しますか？"},
    {61, u"Dataを削除しました。"},
    {62, u"Dataを保存していません。"},
    {63, u"Dataが1,000件を超えています。"},
    {64, u"Dataを読み込みました。"},
    {65, u"保存するDataがありません。"},
    {66, u"Dataを保存しました。"},
    {67, u"Dataは@迄です。"},
    {68, u"[@]か[画面ｸﾘｱ]後にDataを保存して下さい。"},
    {69, u"壁紙を設定し直して下さい。"},
    {70, u"多重起動不可"},
    {71, u"終了しますか？"},
    {72, u"問題を読み込んで下さい。"},
    {73, u"ＺＮを終了します"},
    {74, u"そのKeyは使用出来ません。"},
    {75, u"人数は２～10で設定して下さい。"},
    {76, u"Player名が未入力です。"},
    {77, u"使用Keyを設定して下さい。"},
    {78, u"重複項目があります。"},
    {79, u"Memberを削除しますか？"},
    {80, u"警告"},
    {81, u"起動Error"},
    {82, u"File読込Error"},
    {83, u"確認"},
    {84, u"終了確認"},
    {85, u"、。？」）・』】ーゝゞヽヾ々　，．)?,.]}ｰﾞﾟ/"},
    {86, u"EasterEgg"},
    {87, u"Disk空き領域 : @ Bytes (ﾄﾞﾗｲﾌﾞ X)"},
    {88, u"対戦Off"},
    {89, u"対戦 >>"},
    {90, u"ＭＳ Ｐゴシック"},
    {91, u"ＭＳ ゴシック"},
    {92, u"ＭＳ 明朝"},
    {93, u"Times New Roman"},
    {94, u" NT"},
    {95, u"@ Log File"},
    {96, u"Length = @"},
    {97, u"2   3   4   5"},
    {98, u"Fast@Slow"},
    {99, u" : Ver "},
    {100, u"Question writers of the ZN team"},
    {101, u"Our quiz circle friends"},
    {102, u"Everyone who tested early builds"},
    {103, u"Art and sounds: ZN team"},
    {110, u"... and you, for playing!"},
    {111, u"zn.hlp"},
    {112, u"ZN.INI"},
    {113, u"Pomvex.exe"},
    {114, u"EasterE.htm"},
    {115, u"SOFTWARE\\Microsoft\\Windows@\\CurrentVersion"},
    {116, u"RegisteredOwner"},
    {117, u"次入力 画面ｸﾘｱ 検索 全削除"},
    {118, u"修正 画面ｸﾘｱ 次検索 ﾃﾞｰﾀ削除"},
    {119, u"修正 画面ｸﾘｱ 検索 ﾃﾞｰﾀ削除"},
    {120, u"ZN問題ﾌｧｲﾙ (*.znd),*.znd,"},
    {121, u"画像ﾌｧｲﾙ (*.bmp;*.gif;*.jpg),*.bmp;*.gif;*.jpg"},
    {122, u"全てのﾌｧｲﾙ (*.*),*.*"},
    {123, u"Logﾌｧｲﾙ (*.csv),*.csv"},
    {124, u"Network Drive使用"},
    {125, u"問目～"},
    {126, u"問目まで"},
    {127, u"○"},
    {128, u"×"},
    {129, u"、。"},
    {130, u"問題を読む"},
    {131, u"印刷Dataを読む"},
    {132, u"背景画像を読む"},
    {133, u"問題の保存"},
    {134, u"Logの保存"},
    {135, u"32896"},
    {136, u"8978431"},
    {137, u"（@）"},
    {138, u"Player名"},
    {139, u"使用Key"},
    {140, u"問題 解答 ジャンル No."},
    {141, u"<< < > >>"},
    {142, u"12 20 29"},
    {143, u"12 104 29"},
    {144, u"176 104 56"},
    {145, u"440 12 17"},
    {146, u"ON "},
    {147, u"OFF"},
    {148, u"VS"},
    {149, u"1P"},
    {150, u".znd"},
    {151, u".csv"},
    // Messages for failures the program reports.
    {152, u"Fileを保存出来ませんでした。"},
    {153, u"設定File(ZN.INI)を読み書き出来ません、既定値を使用します。"},
    {154, u"Shift-JISで表せない文字は「?」に置き換えられます。"},
    {155, u"Pomvexを起動出来ません。"},
    {156, u"印刷範囲が正しくありません。"},
    {157, u"Fileを読み込めませんでした。"},
    {158, u"設定File(ZN.INI)に書き込めませんでした、設定は保存されていません。"},
    {159, u"File書込Error"},
    {160, u"問題Fileが変更されたか読み込めません、出題を終了します。"},
    {161, u"Shift-JISで表せない文字を含むPathは背景に使えません。"},
    {162, u"画像ﾌｧｲﾙ (*.bmp;*.gif;*.jpg;*.jpeg;*.png),*.bmp;*.gif;*.jpg;*.jpeg;*.png,"},
    {166, u"「@」は既に存在します。\r\n上書きしますか？"},
    // Printing failures.
    {170, u"印刷Dataを読み込めませんでした。"},
    {171, u"Logの@件目の項目が足りません。"},
    {172, u"印刷出来ませんでした。"},
    {173, u"PDFﾌｧｲﾙを書き込めませんでした。"},
    {174, u"印刷Error"},
    // The program's one-line description on the opening card.
    {180, u"一問一答早押しクイズ練習ソフト"},
    // Game controllers: a pad, one of its buttons, and the title's note of unplugged pads.
    {290, u"Pad@"},
    {291, u"-B@"},
    {292, u"　［@ 未接続］"},
};

} // namespace

const QString* StringTableText(int id) {
    // Built once; QString::fromUtf16 per call would allocate on every look-up.
    static const std::array<QString, StringTableSize> table = [] {
        std::array<QString, StringTableSize> t;
        for (const Entry& e : Entries)
            t[e.id] = QString::fromUtf16(e.text);
        return t;
    }();
    static const std::array<bool, StringTableSize> present = [] {
        std::array<bool, StringTableSize> p{};
        for (const Entry& e : Entries)
            p[e.id] = true;
        return p;
    }();
    if (id < 0 || id >= StringTableSize || !present[id]) return nullptr;
    return &table[id];
}

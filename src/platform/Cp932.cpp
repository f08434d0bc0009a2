#include "platform/Cp932.h"

#include <atomic>
#include <mutex>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <iconv.h>
#endif

// Conversions go one character at a time through the system converter and every answer is kept
// in a table, so measuring a question character by character costs a table look-up after the
// first time. Reads of the tables are lock-free; only a miss takes the lock.

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Encode table entry per UTF-16 unit: 0 not looked up yet, 1 unmappable, 0x01xx the single
// byte xx, 0x8140-0xFCFC a double-byte code.
constexpr quint16 EncUnknown = 0;
constexpr quint16 EncUnmappable = 1;
std::atomic<quint16> encodeTable[0x10000];
// Decode table per (lead << 8 | trail): 0 not looked up yet, else the character (U+FFFD when
// the pair is well-formed but unassigned).
std::atomic<char16_t> decodeTable[0x10000];
std::mutex converterLock;

#ifdef Q_OS_WIN

quint16 systemEncode(char16_t c) {
    const wchar_t in = static_cast<wchar_t>(c);
    char out[4] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault) return EncUnmappable;
    if (n == 1) return quint16(0x0100 | quint8(out[0]));
    return quint16((quint8(out[0]) << 8) | quint8(out[1]));
}

char16_t systemDecode(unsigned char lead, unsigned char trail) {
    const char in[2] = {char(lead), char(trail)};
    wchar_t out[4] = {};
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in, 2, out, 4);
    if (n != 1) return Replacement;
    return char16_t(out[0]);
}

#else

// One converter per direction, opened on first use and kept for the life of the program.
struct Converters {
    iconv_t toCp932 = iconv_t(-1);
    iconv_t fromCp932 = iconv_t(-1);
    Converters() {
        toCp932 = iconv_open("CP932", "UTF-16LE");
        fromCp932 = iconv_open("UTF-16LE", "CP932");
    }
    ~Converters() {
        if (toCp932 != iconv_t(-1)) iconv_close(toCp932);
        if (fromCp932 != iconv_t(-1)) iconv_close(fromCp932);
    }
};

Converters& converters() {
    static Converters c;
    return c;
}

// Runs one conversion; returns the number of output bytes, or -1 on any failure (the converter
// is reset so a bad character never affects the next one).
int runIconv(iconv_t cd, const char* input, size_t inSize, char* output, size_t outSize) {
    if (cd == iconv_t(-1)) return -1;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input);
    char* out = output;
    size_t inLeft = inSize, outLeft = outSize;
    const size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
    if (r == size_t(-1) || inLeft != 0) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return -1;
    }
    // glibc reports irreversible conversions in r; it only does that for substitutions.
    if (r != 0) return -1;
    return int(outSize - outLeft);
}

quint16 systemEncode(char16_t c) {
    const char in[2] = {char(c & 0xFF), char(c >> 8)};
    char out[8] = {};
    const int n = runIconv(converters().toCp932, in, 2, out, sizeof out);
    if (n == 1) return quint16(0x0100 | quint8(out[0]));
    if (n == 2) return quint16((quint8(out[0]) << 8) | quint8(out[1]));
    return EncUnmappable;
}

char16_t systemDecode(unsigned char lead, unsigned char trail) {
    const char in[2] = {char(lead), char(trail)};
    char out[8] = {};
    const int n = runIconv(converters().fromCp932, in, 2, out, sizeof out);
    if (n != 2) return Replacement;
    return char16_t(quint8(out[0]) | (quint8(out[1]) << 8));
}

#endif

quint16 encodeUnit(char16_t c) {
    if (c < 0x80) return quint16(0x0100 | c);
    if (c >= 0xFF61 && c <= 0xFF9F) // half-width katakana
        return quint16(0x0100 | (c - 0xFF61 + 0xA1));
    if (c >= 0xD800 && c <= 0xDFFF) // surrogates: no character outside the BMP has a form
        return EncUnmappable;
    quint16 v = encodeTable[c].load(std::memory_order_relaxed);
    if (v != EncUnknown) return v;
    std::lock_guard<std::mutex> lock(converterLock);
    v = systemEncode(c);
    encodeTable[c].store(v, std::memory_order_relaxed);
    return v;
}

char16_t decodePair(unsigned char lead, unsigned char trail) {
    const int index = (lead << 8) | trail;
    char16_t v = decodeTable[index].load(std::memory_order_relaxed);
    if (v != 0) return v;
    std::lock_guard<std::mutex> lock(converterLock);
    v = systemDecode(lead, trail);
    if (v == 0) v = Replacement;
    decodeTable[index].store(v, std::memory_order_relaxed);
    return v;
}

} // namespace

bool Cp932IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool Cp932IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

int Cp932CharWidth(QChar c) {
    return encodeUnit(c.unicode()) >= 0x8140 ? 2 : 1;
}

QByteArray Cp932Encode(const QString& text) {
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char* o = out.data();
    for (QChar ch : text) {
        const quint16 v = encodeUnit(ch.unicode());
        if (v == EncUnmappable) {
            *o++ = '?';
        } else if (v < 0x0200) {
            *o++ = char(v & 0xFF);
        } else {
            *o++ = char(v >> 8);
            *o++ = char(v & 0xFF);
        }
    }
    out.truncate(o - out.constData());
    return out;
}

QString Cp932Decode(const QByteArray& bytes) {
    // Never more characters than bytes (an unassigned pair gives two replacements).
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* o = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = in[i];
        if (b < 0x80) {
            *o++ = QChar(char16_t(b));
        } else if (b >= 0xA1 && b <= 0xDF) {
            *o++ = QChar(char16_t(0xFF61 + b - 0xA1));
        } else if (Cp932IsLeadByte(b) && i + 1 < n && Cp932IsTrailByte(in[i + 1])) {
            const char16_t c = decodePair(b, in[i + 1]);
            *o++ = QChar(c);
            if (c == Replacement) // unassigned pair: one replacement per byte
                *o++ = QChar(Replacement);
            ++i;
        } else {
            // A stray byte, or a lead byte without a valid second byte: the next byte is read
            // afresh so an ASCII character after a broken lead byte is not lost.
            *o++ = QChar(Replacement);
        }
    }
    out.truncate(o - out.constData());
    return out;
}

bool Cp932Representable(const QString& text) {
    for (QChar ch : text)
        if (encodeUnit(ch.unicode()) == EncUnmappable) return false;
    return true;
}

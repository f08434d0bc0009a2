#include "platform/Keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>

#ifdef ZN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif
#ifdef ZN_HAVE_XCB_XKB
// The C header names a field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#endif

namespace {

struct KeyCode {
    int qtKey;
    int vk;
};

// Keys that mean the same whatever the layout.
constexpr KeyCode kFixedKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Henkan, 28},
    {Qt::Key_Muhenkan, 29},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Hiragana_Katakana, 242},
    {Qt::Key_Zenkaku_Hankaku, 243},
};

// The symbol keys of a Japanese (JIS) keyboard. Each key is listed with both the character it
// types and the character it types with Shift, because Qt reports the shifted character while
// the player's key code must stay that of the physical key.
constexpr KeyCode kJisSymbolKeys[] = {
    {Qt::Key_Minus, 189},        {Qt::Key_Equal, 189},      // - =
    {Qt::Key_AsciiCircum, 222},  {Qt::Key_AsciiTilde, 222}, // ^ ~
    {Qt::Key_yen, 220},          {Qt::Key_Bar, 220},        // ¥ |
    {Qt::Key_Backslash, 220},                               // the ¥ key typing "\"
    {Qt::Key_At, 192},           {Qt::Key_QuoteLeft, 192},  // @ `
    {Qt::Key_BracketLeft, 219},  {Qt::Key_BraceLeft, 219},  // [ {
    {Qt::Key_Semicolon, 187},    {Qt::Key_Plus, 187},       // ; +
    {Qt::Key_Colon, 186},        {Qt::Key_Asterisk, 186},   // : *
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, // ] }
    {Qt::Key_Comma, 188},        {Qt::Key_Less, 188},       // , <
    {Qt::Key_Period, 190},       {Qt::Key_Greater, 190},    // . >
    {Qt::Key_Slash, 191},        {Qt::Key_Question, 191},   // / ?
    {Qt::Key_Underscore, 226},                              // _ (Shift + the "ro" key)
    {Qt::Key_Exclam, 49},        {Qt::Key_QuoteDbl, 50},    // Shift + 1, 2
    {Qt::Key_NumberSign, 51},    {Qt::Key_Dollar, 52},      // Shift + 3, 4
    {Qt::Key_Percent, 53},       {Qt::Key_Ampersand, 54},   // Shift + 5, 6
    {Qt::Key_Apostrophe, 55},    {Qt::Key_ParenLeft, 56},   // Shift + 7, 8
    {Qt::Key_ParenRight, 57},                               // Shift + 9
};

// The symbol keys of a US keyboard, plain and with Shift, as Windows codes them: by key, so "@"
// (Shift + 2) is the 2 key and the apostrophe key is 222 whatever it types.
constexpr KeyCode kUsSymbolKeys[] = {
    {Qt::Key_Minus, 189},        {Qt::Key_Underscore, 189}, // - _
    {Qt::Key_Equal, 187},        {Qt::Key_Plus, 187},       // = +
    {Qt::Key_BracketLeft, 219},  {Qt::Key_BraceLeft, 219},  // [ {
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, // ] }
    {Qt::Key_Backslash, 220},    {Qt::Key_Bar, 220},        // \ |
    {Qt::Key_Semicolon, 186},    {Qt::Key_Colon, 186},      // ; :
    {Qt::Key_Apostrophe, 222},   {Qt::Key_QuoteDbl, 222},   // ' "
    {Qt::Key_QuoteLeft, 192},    {Qt::Key_AsciiTilde, 192}, // ` ~
    {Qt::Key_Comma, 188},        {Qt::Key_Less, 188},       // , <
    {Qt::Key_Period, 190},       {Qt::Key_Greater, 190},    // . >
    {Qt::Key_Slash, 191},        {Qt::Key_Question, 191},   // / ?
    {Qt::Key_Exclam, 49},        {Qt::Key_At, 50},          // Shift + 1, 2
    {Qt::Key_NumberSign, 51},    {Qt::Key_Dollar, 52},      // Shift + 3, 4
    {Qt::Key_Percent, 53},       {Qt::Key_AsciiCircum, 54}, // Shift + 5, 6
    {Qt::Key_Ampersand, 55},     {Qt::Key_Asterisk, 56},    // Shift + 7, 8
    {Qt::Key_ParenLeft, 57},     {Qt::Key_ParenRight, 48},  // Shift + 9, 0
};

// Keys of the numeric keypad (with Qt::KeypadModifier). The keypad Enter key is VK_RETURN on
// Windows too, so it stays 13; 108 (VK_SEPARATOR) belongs to a keypad separator key, which some
// keyboards carry and which Qt reports as a keypad comma.
constexpr KeyCode kKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Comma, 108}, {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},  {Qt::Key_Return, 13},
};

int lookup(const KeyCode* begin, const KeyCode* end, int key) {
    const auto it = std::find_if(begin, end, [key](const KeyCode& k) { return k.qtKey == key; });
    return it == end ? 0 : it->vk;
}

template <std::size_t N> int lookup(const KeyCode (&table)[N], int key) {
    return lookup(table, table + N, key);
}

// The JIS "ro" key (backslash, underscore with Shift) types the same "\" as the ¥ key on many
// layouts; only its position tells them apart.
bool isJisRoKey(const QKeyEvent* event) {
#if defined(Q_OS_MACOS)
    return event->nativeVirtualKey() == 0x5E; // kVK_JIS_Underscore
#elif defined(Q_OS_WIN)
    return event->nativeScanCode() == 0x73;
#else
    return event->nativeScanCode() == 97; // XKB keycode <AB11> (evdev KEY_RO + 8)
#endif
}

int keypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    return lookup(kKeypadKeys, key);
}

int qtKeyCode(const QKeyEvent* event, KeyLayout layout) {
    const int key = event->key();
    if (event->modifiers().testFlag(Qt::KeypadModifier)) {
        if (const int vk = keypadCode(key)) return vk;
        // A keypad "=" (some Mac keyboards) has no Windows code; it is not the "-" key.
        if (key == Qt::Key_Equal) return 0;
        // Other keypad keys (NumLock off: Home, arrows ...; macOS arrows carry the flag too)
        // are the same keys as in the main block.
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    if (const int vk = lookup(kFixedKeys, key)) return vk;
    if (layout == KeyLayout::Us) return lookup(kUsSymbolKeys, key);
    if (key == Qt::Key_Backslash && isJisRoKey(event)) return 226;
    return lookup(kJisSymbolKeys, key);
}

#ifdef ZN_HAVE_XCB
// The X server names its keyboard layouts in the root window's _XKB_RULES_NAMES property:
// rules, model, layouts (comma-separated), variants, options. The first layout is the one a
// session starts with.
KeyLayout xkbLayout() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return KeyLayout::Jis;
    const char name[] = "_XKB_RULES_NAMES";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    KeyLayout layout = KeyLayout::Jis;
    if (atom && atom->atom != XCB_ATOM_NONE && screen) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, 256), nullptr);
        if (reply) {
            const auto* value = static_cast<const char*>(xcb_get_property_value(reply));
            const QList<QByteArray> fields =
                QByteArray(value, xcb_get_property_value_length(reply)).split('\0');
            const QByteArray first = fields.value(2).split(',').value(0).trimmed();
            if (!first.isEmpty() && first != "jp") layout = KeyLayout::Us;
            std::free(reply);
        }
    }
    std::free(atom);
    return layout;
}
#endif

#ifdef ZN_HAVE_XCB_XKB
// The flag is per client and outlives nothing but the connection, so asking once is enough.
bool xkbDetectableAutoRepeat() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return false;
    // XKB answers nothing before it was announced; Qt has done so already, once more is harmless.
    xcb_xkb_use_extension_reply_t* use = xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool supported = use && use->supported;
    std::free(use);
    if (!supported) return false;
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* reply = xcb_xkb_per_client_flags_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr);
    const bool granted = reply && (reply->value & flag);
    std::free(reply);
    return granted;
}
#endif

} // namespace

KeyLayout CurrentKeyLayout() {
#ifdef ZN_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return xkbLayout();
#endif
    return KeyLayout::Jis;
}

int VirtualKey(const QKeyEvent* event) {
#ifdef Q_OS_WIN
    return VirtualKey(event, KeyLayout::Jis); // Windows' own code decides
#else
    return VirtualKey(event, CurrentKeyLayout());
#endif
}

int VirtualKey(const QKeyEvent* event, KeyLayout layout) {
    if (!event) return 0;
#ifdef Q_OS_WIN
    // Real keyboard events carry Windows' own code; synthesized ones (tests) do not.
    if (const quint32 native = event->nativeVirtualKey(); native > 0 && native < 256)
        return static_cast<int>(native);
#endif
    return qtKeyCode(event, layout);
}

quint32 PhysicalKey(const QKeyEvent* event) {
    if (!event) return 0;
    // Scan codes and Qt keys never meet: the Qt key is marked with the top bit.
    if (const quint32 scan = event->nativeScanCode()) return scan;
    return quint32(event->key()) | 0x80000000u;
}

bool IsAutoRepeat(const QKeyEvent* event) {
    return event && event->isAutoRepeat();
}

bool RequestDetectableAutoRepeat() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true; // a held key repeats presses only
#elif defined(ZN_HAVE_XCB_XKB)
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    static const bool granted = xkbDetectableAutoRepeat();
    return granted;
#else
    return false;
#endif
}

QList<int> ProducibleVirtualKeys() {
    QList<int> codes;
    for (int vk = 'A'; vk <= 'Z'; ++vk)
        codes.append(vk);
    for (int vk = '0'; vk <= '9'; ++vk)
        codes.append(vk);
    for (int vk = 96; vk <= 105; ++vk)
        codes.append(vk);
    for (int vk = 112; vk <= 135; ++vk)
        codes.append(vk);
    for (const KeyCode& k : kFixedKeys)
        codes.append(k.vk);
    for (const KeyCode& k : kJisSymbolKeys)
        codes.append(k.vk);
    for (const KeyCode& k : kUsSymbolKeys)
        codes.append(k.vk);
    for (const KeyCode& k : kKeypadKeys)
        codes.append(k.vk);
    codes.append(226); // the "ro" key typing "\"
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

#include "core/PadNames.h"

#include "core/ResText.h"
#include "platform/Controllers.h"

QString PadText(int pad) {
    return ResText(TextPad, QString::number(pad + 1));
}

QString PadButtonText(int code) {
    return PadText(PadOfCode(code)) +
           ResText(TextPadButton, QString::number(ButtonOfCode(code) + 1));
}

#pragma once

#include <QString>

// How game-controller pads and buttons are named to the user: pads and buttons count from 1, so
// the code of pad 0, button 2 reads "Pad1-B3".
QString PadText(int pad);
QString PadButtonText(int code);

#pragma once

// Registers substitutes for the Windows font names the program uses ("ＭＳ ゴシック", "ＭＳ 明朝",
// "ＭＳ Ｐゴシック", "Times New Roman"), so the same names work on every system.
void InstallFontSubstitutions();

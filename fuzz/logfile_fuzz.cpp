// Any bytes as a CSV chosen for printing: the log check never crashes and counts only lines
// that are there.
#include "FuzzFiles.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    G().AppTitle = QStringLiteral("ZE Zir Uduzedu");
    const QString path = WriteFuzzFile("run.csv", data, size);
    int lines = -1;
    if (IsLogFile(path, lines) && (lines < 0 || qsizetype(lines) * 2 > qsizetype(size)))
        std::abort();
    return 0;
}

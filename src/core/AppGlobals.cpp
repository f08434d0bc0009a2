#include "core/AppGlobals.h"

AppGlobals& G() {
    static AppGlobals globals;
    return globals;
}

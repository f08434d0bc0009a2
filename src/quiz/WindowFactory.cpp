#include "quiz/WindowFactory.h"

WindowFactory& windowFactory() {
    static WindowFactory factory;
    return factory;
}

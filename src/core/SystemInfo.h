#pragma once

#include <QString>

// The computer's registered owner (the log's answerer outside a match); may be empty.
QString RegisteredOwnerName();

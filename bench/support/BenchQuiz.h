#pragma once

#include "core/Records.h"

#include <QString>

// The quiz benchmarks' files: writes `settings` as ZN.INI at G().IniPath, and a question file in
// `folder` holding one question of 144 double-byte characters without a pause; returns its path.
QString WriteBenchQuiz(const QString& folder, const SettingsRecord& settings);

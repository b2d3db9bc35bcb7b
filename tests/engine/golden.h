#pragma once
// Prepared pages compared with small golden files: canonical JSON of the display list
// (rectangles and line positions rounded to 0.01 unit), never pixels.
//
// After a deliberate change of layout, regenerate them and review the diff:
//   TALLYRA_UPDATE_GOLDEN=1 tallyra_engine_tests --gtest_filter='*Golden*'

#include "engine/display_list.h"

#include <QByteArray>
#include <QString>

QByteArray display_list_json(const PreparedReport &report);

// Empty when the list matches tests/engine/golden/<name>.json (or was just rewritten),
// otherwise the first line that differs, expected and found.
QString compare_with_golden(const QString &name, const PreparedReport &report);

#pragma once
// The key under which text histories are stored (USER_HIST.RECID and DATA_FIELD): a CRC-32
// register (polynomial 04C11DB7, most significant bit first, starting at all ones) run over
// the Windows-1250 bytes of the text that are above the space, then over four zero bytes,
// without the final inversion.  Stored keys depend on every detail of it.

#include <QString>
#include <cstdint>

// -1 for the empty text.  "ABC" and "A B C" give 780591340, "abc" gives -1391202102.
int32_t history_hash(const QString &text);

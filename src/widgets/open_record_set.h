#pragma once
// The record set of an open book or list window, so that an editor opened from elsewhere
// works on the rows that window shows and the window shows the change at once.  A window
// offers its set as its grid named "ds".

#include <QString>

class TMemTable;

// Null when no window with the key is open (or it offers no set).
TMemTable *open_record_set(const QString &window_key);

#pragma once

#include <QString>

namespace mail {

// The text behind tl_mail_last_error().  Every exported call that can fail clears it first,
// so it always describes the most recent one.
void clear_error();
void set_error(const QString &reason);
const char *last_error();

// A user's value inside a reason, in Czech quotes and on one line, so that a hostile value
// cannot break the message it is quoted in.
QString quoted(const QString &value);

} // namespace mail

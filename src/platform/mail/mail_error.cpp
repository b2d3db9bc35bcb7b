#include "platform/mail/mail_error.h"

#include "platform/mail/single_line.h"

#include <string>

namespace mail {
namespace {

std::string &error_text()
{
    static std::string text;
    return text;
}

} // namespace

void clear_error()
{
    error_text().clear();
}

void set_error(const QString &reason)
{
    error_text() = reason.toStdString();
}

const char *last_error()
{
    return error_text().c_str();
}

QString quoted(const QString &value)
{
    return QStringLiteral("„%1“").arg(single_line(value));
}

} // namespace mail

#include "platform/mail/mail_address.h"

#include "platform/mail/domain_name.h"

#include <cstring>

namespace mail {
namespace {

bool is_atom_char(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return c != '\0' && std::strchr("!#$%&'*+-/=?^_`{|}~", c) != nullptr;
}

bool is_dot_atom(const QString &text)
{
    if (text.isEmpty() || text.size() > 64 || text.startsWith(QLatin1Char('.')) ||
        text.endsWith(QLatin1Char('.')) || text.contains(QLatin1String("..")))
        return false;
    for (const QChar c : text) {
        if (c.unicode() > 0x7f || (c != QLatin1Char('.') && !is_atom_char(c.toLatin1())))
            return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> plain_address(const QString &text)
{
    const QString address = text.trimmed();
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at < 0 || address.indexOf(QLatin1Char('@'), at + 1) >= 0)
        return std::nullopt;
    const QString local = address.left(at);
    if (!is_dot_atom(local))
        return std::nullopt;
    const std::optional<QByteArray> domain = ascii_domain(address.mid(at + 1));
    if (!domain)
        return std::nullopt;
    const QByteArray result = local.toLatin1() + '@' + *domain;
    if (result.size() > 254)
        return std::nullopt;
    return result;
}

} // namespace mail

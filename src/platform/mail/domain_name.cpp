#include "platform/mail/domain_name.h"

#include <QUrl>

namespace mail {
namespace {

bool is_label(const QByteArray &label)
{
    if (label.isEmpty() || label.size() > 63 || label.startsWith('-') || label.endsWith('-'))
        return false;
    for (const char c : label) {
        const bool letter_or_digit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letter_or_digit && c != '-')
            return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> ascii_domain(const QString &domain)
{
    if (domain.isEmpty())
        return std::nullopt;
    const QByteArray ace = QUrl::toAce(domain);
    if (ace.isEmpty() || ace.size() > 253)
        return std::nullopt;
    for (const QByteArray &label : ace.split('.')) {
        if (!is_label(label))
            return std::nullopt;
    }
    return ace;
}

} // namespace mail

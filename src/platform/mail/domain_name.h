#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mail {

// A host or mail domain in the ASCII form that DNS, SMTP commands and headers carry
// ("příklad.cz" becomes "xn--pklad-zsa96e.cz"), or nothing when it is no valid name:
// letters, digits and inner hyphens in labels of 1 to 63 characters, 253 in all.
std::optional<QByteArray> ascii_domain(const QString &domain);

} // namespace mail

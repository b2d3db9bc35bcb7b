#pragma once
// The one error the report engine raises: a template that does not load, a report that
// cannot be prepared, an export that fails.  Its text is meant for the user as it stands.

#include <QString>
#include <stdexcept>

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

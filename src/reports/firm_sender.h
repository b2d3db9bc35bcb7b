#pragma once
// The sender of the firm's mail: its name and the e-mail address written in its address
// (`CONF_ADDRESS` row 1), which has no field of its own for it.

#include <QString>

struct FirmSender {
    QString address; // empty when the firm's address names none
    QString name;
};

FirmSender firm_sender();

// The first plain e-mail address among the words of the text ("e-mail: info@firma.cz,"
// gives "info@firma.cz"); empty when there is none.
QString first_mail_address(const QString &text);

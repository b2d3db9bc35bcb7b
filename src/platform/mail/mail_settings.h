#pragma once

#include "platform/mail/mail.h"

#include <QString>

namespace mail {

// What the program set up once for every later message and sending.
struct MailSettings {
    static constexpr int default_connect_seconds = 30;
    static constexpr int default_total_seconds = 300;

    TlMailCallback callback = nullptr;
    void *callback_context = nullptr;
    QString sender_address;
    QString sender_name;
    bool allow_unencrypted_login = false;
    int connect_seconds = default_connect_seconds;
    int total_seconds = default_total_seconds;
    QString ca_file;
    QString second_attachment;
};

MailSettings &settings();

} // namespace mail

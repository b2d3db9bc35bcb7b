#include "platform/mail/smtp_endpoint.h"

#include <gtest/gtest.h>

namespace {

using mail::TlsUse;

} // namespace

// Port 465 speaks TLS from the first byte; elsewhere STARTTLS, required once a password
// travels.
TEST(SmtpEndpoint, ThePortAndThePasswordDecideHowTlsIsUsed)
{
    const struct {
        const char *server;
        int port;
        bool password;
        const char *url;
        TlsUse tls;
    } cases[] = {
        {"smtp.firma.cz", 465, true, "smtps://smtp.firma.cz:465", TlsUse::Implicit},
        {"smtp.firma.cz", 465, false, "smtps://smtp.firma.cz:465", TlsUse::Implicit},
        {"smtp.firma.cz", 587, true, "smtp://smtp.firma.cz:587", TlsUse::Required},
        {"smtp.firma.cz", 25, false, "smtp://smtp.firma.cz:25", TlsUse::WhenOffered},
        {" pošta.příklad.cz ", 25, false, "smtp://xn--pota-h6a.xn--pklad-zsa96e.cz:25",
         TlsUse::WhenOffered},
        {"::1", 2525, false, "smtp://[::1]:2525", TlsUse::WhenOffered},
        {"[::1]", 2525, false, "smtp://[::1]:2525", TlsUse::WhenOffered},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url);
        const std::optional<mail::SmtpEndpoint> endpoint =
            mail::smtp_endpoint(QString::fromUtf8(c.server), c.port, c.password);
        ASSERT_TRUE(endpoint.has_value());
        EXPECT_EQ(endpoint->url.toStdString(), c.url);
        EXPECT_EQ(endpoint->tls, c.tls);
    }
}

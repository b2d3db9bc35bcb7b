"""A loopback SMTP server for the mail library's tests, on a free port of 127.0.0.1.

    smtp_test_server.py OUTDIR [--starttls CERT KEY] [--login USER PASSWORD] [--plain-login]
                               [--mute-on-quit]

Prints "PORT <number>" once it listens.  Every accepted message goes to
OUTDIR/message-<n>.eml as received, with its envelope in OUTDIR/message-<n>.json; every
login attempt is added to OUTDIR/logins.jsonl.  Recipients whose local part is "odmitnuty"
are refused.  --plain-login offers the login without TLS; --mute-on-quit never answers the
client's farewell, after the message has been accepted.
"""

import argparse
import asyncio
import json
import logging
import os
import ssl

from aiosmtpd.smtp import SMTP, AuthResult


class Recorder:
    def __init__(self, outdir):
        self.outdir = outdir
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.split("@")[0] == "odmitnuty":
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.outdir, "message-%d" % self.count)
        with open(base + ".json", "w", encoding="utf-8") as f:
            json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos,
                       "tls": session.ssl is not None,
                       "authenticated": bool(session.authenticated)}, f)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        return "250 Message accepted"


class MuteOnQuit(SMTP):
    async def smtp_QUIT(self, arg):
        await asyncio.sleep(3600)


class Authenticator:
    def __init__(self, outdir, user, password):
        self.log = os.path.join(outdir, "logins.jsonl")
        self.user = user.encode("utf-8")
        self.password = password.encode("utf-8")

    def __call__(self, server, session, envelope, mechanism, auth_data):
        accepted = auth_data.login == self.user and auth_data.password == self.password
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(json.dumps({"user": auth_data.login.decode("utf-8", "replace"),
                                "tls": session.ssl is not None,
                                "accepted": accepted}) + "\n")
        return AuthResult(success=accepted, handled=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("outdir")
    parser.add_argument("--starttls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--login", nargs=2, metavar=("USER", "PASSWORD"))
    parser.add_argument("--plain-login", action="store_true")
    parser.add_argument("--mute-on-quit", action="store_true")
    args = parser.parse_args()
    # Sessions that a test ends on purpose (a refused certificate) are no news.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)

    options = {"hostname": "localhost"}
    if args.starttls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(*args.starttls)
        options["tls_context"] = context
    if args.login:
        options["authenticator"] = Authenticator(args.outdir, *args.login)
        options["auth_require_tls"] = not args.plain_login

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    handler = Recorder(args.outdir)
    session = MuteOnQuit if args.mute_on_quit else SMTP
    server = loop.run_until_complete(loop.create_server(
        lambda: session(handler, loop=loop, **options), host="127.0.0.1", port=0))
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()

#pragma once
// The mail library: one message carrying a printed report, and at most one file beside it,
// either left as an unsent draft for the user's own mail program or sent through an SMTP
// server.  Texts are UTF-8 and zero-terminated; a null text counts as an empty one.  The
// library shows no windows: progress and the outcome of a sending reach the program through
// the callback it installs.  Settings and calls come from one thread at a time.
//
// Failure reasons are Czech sentence tails starting in lower case ("server „smtp.x.cz“
// nebyl nalezen."), written to follow the caller's own opening such as "E-mail se
// nepodařilo odeslat: ".

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(TALLYRA_MAIL_BUILD)
#define TL_API __attribute__((visibility("default")))
#else
#define TL_API
#endif

/* The size of tl_create_mail's result buffer: a path of at most 261 bytes and its zero. */
enum { TL_MAIL_RESULT_SIZE = 262 };

typedef enum TlMailStage {
    tlMailProgress = 0,  /* text "Odesílám e-mail…"; the return value decides: 0 cancels */
    tlMailSent = 1,      /* text "E-mail byl odeslán." */
    tlMailFailed = 2,    /* text: the reason */
    tlMailCancelled = 3, /* text "odesílání bylo zrušeno." */
} TlMailStage;

typedef struct TlMailEvent {
    int32_t stage;       /* TlMailStage */
    const char *text;    /* valid during the call only */
    int64_t bytes_sent;  /* of the message, while it is being transferred */
    int64_t bytes_total; /* the whole message's size; 0 before it is composed */
    void *app_window;    /* the handles tl_send_mail was given, to parent the UI's windows */
    void *main_window;
} TlMailEvent;

/* Called on the thread that runs tl_send_mail: progress about every tenth of a second
   while the session lasts (so a progress window can process its events and offer a cancel
   button), then exactly one final event (sent, failed or cancelled).  For a progress event
   a return value of 0 cancels the sending; the return value of a final event is ignored. */
typedef int (*TlMailCallback)(const TlMailEvent *event, void *context);

/* Installs the callback with a context handed back to it; null removes it (a sending then
   runs silently and only its return value and tl_mail_last_error tell the outcome). */
TL_API void tl_set_mail_callback(TlMailCallback callback, void *context);

/* The sender of every later message: the firm's e-mail address and optionally its name
   for the From line.  An empty address means none: tl_send_mail then sends from the SMTP
   user name when that is an e-mail address, and otherwise fails; a draft has no From line. */
TL_API void tl_set_mail_sender(const char *address, const char *display_name);

/* A second file that every later message carries after the report (an invoice's electronic
   form beside its print); null or empty: none.  It must exist and hold something, as the
   report must, or the message is not made. */
TL_API void tl_set_mail_second_attachment(const char *path);

/* A password travels only over TLS (implicit on port 465, STARTTLS elsewhere): a server
   that offers no STARTTLS is refused before the login.  Nonzero lets a login go over an
   unencrypted connection to such a server; the user must have asked for it explicitly. */
TL_API void tl_set_mail_allow_unencrypted_login(int allow);

/* Seconds until the connection including the server's greeting, TLS and login must stand
   (also the longest wait for any one answer of the server), and for the whole session.  A
   value of 0 or below restores the default (30 and 300). */
TL_API void tl_set_mail_timeouts(int connect_seconds, int total_seconds);

/* A PEM file of certificate authorities that server certificates are checked against,
   instead of the system's (for a firm's own authority); null or empty restores the
   system's.  Certificates are always verified, host name included. */
TL_API void tl_set_mail_ca_file(const char *path);

/* Nonzero when the text is one plain address "local@domain" that the library would send
   to; display names, lists, quoting, query parts and control characters are refused, so a
   caller that must put a recipient on a command line or into a URL can hold it to the same
   rule first. */
TL_API int tl_mail_address_valid(const char *text);

/* Why the last tl_create_mail or tl_send_mail failed; empty after a success.  Valid until
   the next call of either. */
TL_API const char *tl_mail_last_error(void);

/* Writes a complete unsent message (header "X-Unsent: 1") to the recipient with subject
   "Tisková sestava.", the text naming the attachment, the second text as a further
   paragraph when it is not empty, and the attachment, into the file beside the attachment
   that is named like it with the extension ".eml" (replacing an earlier one).  Its absolute
   path goes into `result` (TL_MAIL_RESULT_SIZE bytes): at most 261 bytes and a zero.
   Returns nonzero on success.  On failure (an invalid recipient, a missing or empty
   attachment, a path longer than 261 bytes, a file that cannot be written) returns 0,
   leaves `result` zero-filled and writes nothing. */
TL_API int tl_create_mail(const char *recipient, const char *second_text, const char *attachment,
                          char *result);

/* Sends the same message (without "X-Unsent") through the SMTP server at `port` (1 to
   65535; 465 means implicit TLS, any other STARTTLS when the server offers it), logging
   in with `user` and `password` when `authentication` is nonzero (the program passes -1).
   Blocks until the outcome, reporting through the callback.  Returns nonzero when the
   server accepted the message, 0 when it failed or was cancelled. */
TL_API int tl_send_mail(void *app_window, void *main_window, const char *recipient,
                        const char *second_text, const char *attachment, const char *server,
                        const char *user, const char *password, int32_t port,
                        int32_t authentication);

#ifdef __cplusplus
}
#endif

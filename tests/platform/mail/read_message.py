"""Parses a message with Python's email module, as a mail program would read it.

    read_message.py MESSAGE OUTDIR

Prints JSON: the headers in order with their decoded values, the plain text, every
attachment (its file name, its type and the file in OUTDIR its bytes were written to) and
the defects the parser found anywhere in the message.
"""

import email
import email.policy
import json
import os
import sys


def main():
    path, outdir = sys.argv[1], sys.argv[2]
    with open(path, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    defects = [repr(d) for part in message.walk() for d in part.defects]
    attachments = []
    for number, part in enumerate(message.iter_attachments(), start=1):
        file = os.path.join(outdir, "attachment-%d" % number)
        with open(file, "wb") as out:
            out.write(part.get_payload(decode=True))
        attachments.append({"filename": part.get_filename(),
                            "content_type": part.get_content_type(), "file": file})
    body = message.get_body(preferencelist=("plain",))
    print(json.dumps({
        "headers": [[name, str(value)] for name, value in message.items()],
        "text": body.get_content().replace("\r\n", "\n") if body else None,
        "attachments": attachments,
        "defects": defects,
    }))


if __name__ == "__main__":
    main()

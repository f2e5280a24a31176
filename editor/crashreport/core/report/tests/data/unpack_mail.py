#!/usr/bin/env python3
"""Unpacks a received report mail with Python's own readers: the mail's zip
attachment is decoded from Base64 by the email package and opened with
zipfile. Prints "ATTACHMENT <name>" and one "ENTRY <name>" line per member,
and extracts the members into the output folder. Exit 1 when the mail has no
zip attachment or the zip does not open."""
import email
import email.policy
import io
import sys
import zipfile


def main():
    mail_path, out_dir = sys.argv[1], sys.argv[2]
    with open(mail_path, "rb") as f:
        data = f.read()
    # The mail data ends with the SMTP terminator, which is not part of it.
    if data.endswith(b"\r\n.\r\n"):
        data = data[:-3]
    message = email.message_from_bytes(data, policy=email.policy.default)
    for part in message.walk():
        name = part.get_filename()
        if not name or not name.lower().endswith(".zip"):
            continue
        print("ATTACHMENT " + name)
        payload = part.get_payload(decode=True)
        try:
            with zipfile.ZipFile(io.BytesIO(payload)) as archive:
                if archive.testzip() is not None:
                    print("BAD CRC")
                    return 1
                for entry in archive.namelist():
                    print("ENTRY " + entry)
                archive.extractall(out_dir)
        except zipfile.BadZipFile as e:
            print("BAD ZIP " + str(e))
            return 1
        return 0
    print("NO ATTACHMENT")
    return 1


if __name__ == "__main__":
    sys.exit(main())

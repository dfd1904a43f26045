#!/usr/bin/env python3
"""Signs a Windows program or package with the company's certificate (a
PKCS#12 file and the file holding its password), with osslsigncode, so that
Windows shows the publisher and AppLocker or WDAC publisher rules can allow it.

    sign.py FILE --pfx CERTIFICATE.pfx --password-file PASSWORD [--timestamp-url URL]
            [--output SIGNED]

In place unless given --output; the file is replaced only once signed. With a
time-stamping server, the signature outlives the certificate.
"""
import argparse
import os
import shutil
import subprocess
import sys


def sign(path, pfx, password_file, timestamp_url=None, output=None, osslsigncode="osslsigncode"):
    output = output or path
    partial = output + ".signing"
    command = [osslsigncode, "sign", "-pkcs12", pfx, "-readpass", password_file, "-h", "sha256",
               "-n", "Kestal"]
    if timestamp_url:
        command += ["-ts", timestamp_url]
    try:
        result = subprocess.run(command + ["-in", path, "-out", partial], capture_output=True,
                                text=True)
        if result.returncode != 0:
            sys.exit(f"sign: {path} not signed: {(result.stderr or result.stdout).strip()}")
        shutil.copymode(path, partial)
        os.replace(partial, output)
    finally:
        if os.path.exists(partial):
            os.unlink(partial)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--pfx", required=True)
    parser.add_argument("--password-file", required=True)
    parser.add_argument("--timestamp-url")
    parser.add_argument("--output")
    parser.add_argument("--osslsigncode", default="osslsigncode")
    args = parser.parse_args()
    sign(args.file, args.pfx, args.password_file, args.timestamp_url, args.output, args.osslsigncode)

#!/usr/bin/env python3
"""Builds the Windows Installer package with msitools' wixl from kestal.wxs,
then adds msi_additions.sql to it with msibuild, stores it in the Western
European code page its French texts need, and signs it when given a
certificate.

    build_msi.py --output kestal-1.00-x64.msi --version 1.00 --product-code GUID
                 --upgrade-code GUID --program kestal.exe --converter kestal-convert.exe
                 --icon kestal.ico --summary TEXT --manufacturer TEXT
                 [--pfx CERTIFICATE.pfx --password-file PASSWORD [--timestamp-url URL]]

A missing file, or anything wixl only half understands, fails the build; the
package is put in place only once whole.
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
from xml.sax.saxutils import quoteattr

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import sign  # noqa: E402
import summary_information  # noqa: E402

LANGUAGE = "1036"  # French (France)
# Windows-1252, whatever the code page of the PC that installs it: with none
# declared, Windows reads the texts in its own ("Йquipe Kestal" on a Russian PC).
CODEPAGE = 1252


def run(command, what, folder=None):
    result = subprocess.run(command, capture_output=True, text=True, cwd=folder)
    # wixl goes on past what it does not handle, with a message: none is let through.
    if result.returncode != 0 or result.stderr.strip():
        sys.exit(f"build_msi: {what} failed ({result.returncode}): {result.stderr.strip()}")


def main():
    parser = argparse.ArgumentParser()
    optional = ("wixl", "msibuild", "pfx", "password-file", "timestamp-url", "osslsigncode")
    for option in ("output", "version", "product-code", "upgrade-code", "program", "converter",
                   "icon", "summary", "manufacturer") + optional:
        parser.add_argument("--" + option, required=option not in optional)
    args = parser.parse_args()
    msibuild = args.msibuild or "msibuild"
    size_kb = -(-sum(os.path.getsize(f) for f in (args.program, args.converter)) // 1024)
    defines = {"Version": args.version, "ProductCode": args.product_code,
               "UpgradeCode": args.upgrade_code, "Program": "kestal.exe",
               "Converter": "kestal-convert.exe", "Icon": "kestal.ico", "SizeKb": str(size_kb),
               "Summary": args.summary, "Manufacturer": args.manufacturer,
               "Language": LANGUAGE, "Codepage": str(CODEPAGE)}
    partial = pathlib.Path(args.output + ".partial").resolve()
    partial.unlink(missing_ok=True)
    # wixl finds files by names relative to where it runs, and takes its values
    # from an included file, UTF-8 like the .wxs (it refuses accents in -D values).
    with tempfile.TemporaryDirectory() as include:
        for name, source in (("kestal.exe", args.program), ("kestal-convert.exe", args.converter),
                             ("kestal.ico", args.icon)):
            (pathlib.Path(include) / name).symlink_to(pathlib.Path(source).resolve())
        lines = [f"<?define {name} = {quoteattr(value)} ?>" for name, value in defines.items()]
        (pathlib.Path(include) / "build.wxi").write_text(
            '<?xml version="1.0" encoding="utf-8"?>\n<Include>\n' + "\n".join(lines) +
            "\n</Include>\n", encoding="utf-8")
        # wixl leaves the database's code page unset: importing the code page
        # sets it, and libmsi stores the texts in it from then on.
        (pathlib.Path(include) / "_ForceCodepage.idt").write_text(
            f"\r\n\r\n{CODEPAGE}\t_ForceCodepage\r\n", encoding="ascii")
        try:
            run([args.wixl or "wixl", "--arch", "x64", "--output", str(partial), "-I", include,
                 str(HERE / "kestal.wxs")], "wixl", folder=include)
            for query in (HERE / "msi_additions.sql").read_text(encoding="utf-8").splitlines():
                if query and not query.startswith("#"):
                    run([msibuild, str(partial), "-q", query], f"msibuild '{query}'")
            run([msibuild, str(partial), "-i", "_ForceCodepage.idt"], "the code page",
                folder=include)
            summary_information.recode(partial, CODEPAGE, LANGUAGE)
            if args.pfx:
                sign.sign(str(partial), args.pfx, args.password_file, args.timestamp_url,
                          osslsigncode=args.osslsigncode or "osslsigncode")
            partial.replace(args.output)
        finally:
            partial.unlink(missing_ok=True)


if __name__ == "__main__":
    main()

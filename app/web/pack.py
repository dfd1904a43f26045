#!/usr/bin/env python3
"""Build step: the page, twice over.

    site/        the page for any static web server: its style and script
                 (bundled by esbuild) inside it, so that the module is the one
                 request it waits for, beside its web app manifest, icons and
                 a service worker that keeps them all
    kestal.html  the same page as one self-contained file, the module and
                 the icon inside it too
Each has a Content-Security-Policy that allows only what it carries and, for
the site, its own files.

Captions come from the built module itself (describe.mjs), as the page gets them.
"""
import argparse
import base64
import gzip
import hashlib
import html
import json
import pathlib
import re
import shutil
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
import program_icon  # noqa: E402

# The page's icon and its windows' caption icon, sharp on a phone's screen
# however the window is scaled, and small enough to draw at once; the larger
# two are the installed app's.
PAGE_ICON = 64
ICON_SIZES = (PAGE_ICON, 192, 512)
THEME = "#008888"  # the icon's teal


def replace_once(text, old, new):
    if text.count(old) != 1:
        sys.exit(f"pack: expected one {old!r} in the page")
    return text.replace(old, new)


def digest(data):
    return base64.b64encode(hashlib.sha256(data.encode()).digest()).decode()


def inline(tag, text, attributes=""):
    if f"</{tag}" in text.lower():
        sys.exit(f"pack: the inlined {tag} would end its own element")
    return f"<{tag}{attributes}>{text}</{tag}>"


def main():
    parser = argparse.ArgumentParser()
    for option in ("source", "module", "icon", "version", "summary", "node", "esbuild", "site",
                   "file", "description"):
        parser.add_argument(f"--{option}", required=True)
    args = parser.parse_args()
    source = pathlib.Path(args.source)
    site = pathlib.Path(args.site)

    described = subprocess.run([args.node, source / "describe.mjs", args.module],
                               check=True, capture_output=True, text=True).stdout
    pathlib.Path(args.description).write_text(described, encoding="utf-8")  # for the tests
    description = json.loads(described)
    caption = description["windows"][0]["caption"]
    page = replace_once((source / "index.html").read_text(encoding="utf-8"),
                        "<title>Kestal</title>", f"<title>{html.escape(caption)}</title>")
    page = replace_once(page, '<meta name="description" content="Kestal">',
                        f'<meta name="description" content="{html.escape(args.summary)}">')
    # The page's script and everything it imports, as one module.
    script = subprocess.run(
        [args.esbuild, str(source / "main.js"), "--bundle", "--format=esm", "--minify",
         "--target=es2022", "--log-level=warning"],
        check=True, capture_output=True, text=True).stdout.strip()
    style = (source / "style.css").read_text(encoding="utf-8")
    width, height, pixels = program_icon.read_xpm(args.icon)
    icons = {size: program_icon.png(size, width, height, pixels) for size in ICON_SIZES}
    # Style and script inside the page, allowed by their hashes.
    site_policy = re.search(r'Content-Security-Policy" content="([^"]*)"', page).group(1)
    script_source = f"script-src 'sha256-{digest(script)}' 'wasm-unsafe-eval'"
    # The validation record's own style, as the window that shows it loads it.
    style_source = (f"style-src 'sha256-{digest(style)}' "
                    f"'sha256-{digest(description['recordStyle'])}'")
    policy = site_policy.replace("script-src 'self' 'wasm-unsafe-eval'", script_source)
    policy = policy.replace("style-src 'self'", style_source)
    page = replace_once(page, site_policy, policy)
    page = replace_once(page, '<link rel="stylesheet" href="style.css">', inline("style", style))
    page = replace_once(page, '<script type="module" src="main.js"></script>',
                        inline("script", script, ' type="module"'))

    # The site.
    shutil.rmtree(site, ignore_errors=True)
    site.mkdir(parents=True)
    # The module asked for with the script, not after it has run.
    preload = '<link rel="preload" href="kestal.wasm" as="fetch" crossorigin>\n'
    manifest_link = '<link rel="manifest" href="kestal.webmanifest">\n'
    (site / "index.html").write_text(replace_once(page, manifest_link, manifest_link + preload),
                                     encoding="utf-8")
    shutil.copy(args.module, site / "kestal.wasm")
    for size, data in icons.items():
        (site / f"icon-{size}.png").write_bytes(data)
    manifest = {
        "name": caption, "short_name": description["title"], "description": args.summary,
        "lang": "fr", "start_url": "./", "scope": "./", "display": "standalone",
        "background_color": THEME, "theme_color": THEME,
        "icons": [{"src": f"icon-{size}.png", "sizes": f"{size}x{size}", "type": "image/png"}
                  for size in ICON_SIZES if size > PAGE_ICON],
    }
    (site / "kestal.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=2) + "\n", encoding="utf-8")
    files = sorted(path.name for path in site.iterdir())
    content = hashlib.sha256(b"".join((site / name).read_bytes() for name in files))
    worker = (source / "sw.js").read_text(encoding="utf-8")
    worker = replace_once(worker, "const CACHE = 'kestal';",
                          f"const CACHE = 'kestal-{args.version}-{content.hexdigest()[:12]}';")
    worker = replace_once(worker, "const FILES = ['./'];",
                          f"const FILES = {json.dumps(['./'] + files)};")
    (site / "sw.js").write_text(worker, encoding="utf-8")

    # The one file: nothing from anywhere.
    icon = "data:image/png;base64," + base64.b64encode(icons[PAGE_ICON]).decode()
    # Gzipped, a third of its size: the page unpacks it as it compiles it.
    module = base64.b64encode(gzip.compress(pathlib.Path(args.module).read_bytes(), mtime=0)).decode()
    one = replace_once(page, policy, f"default-src 'none'; {script_source}; {style_source}; "
                       "img-src data:; base-uri 'none'; form-action 'none'")
    one = replace_once(one, f'href="icon-{PAGE_ICON}.png"', f'href="{icon}"')
    one = replace_once(one, '<link rel="manifest" href="kestal.webmanifest">\n', "")
    one = replace_once(one, "</body>", inline(
        "script", module, ' type="application/octet-stream" id="kestal-module"') + "\n</body>")
    pathlib.Path(args.file).write_text(one, encoding="utf-8")


if __name__ == "__main__":
    main()

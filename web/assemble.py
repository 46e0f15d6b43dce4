#!/usr/bin/python3
"""Puts the browser game together from the compiled game and the page's sources.

Writes OUT/brumox.html, one file that plays from disk (the WebAssembly, the script and the font
inside it), and OUT/site/, the same game as separate files for a static host, with a manifest,
icons and a service worker so that it installs and plays offline. Every address in the site is
relative, so it works from any sub-path. Files appear whole or not at all.
"""

import argparse
import base64
import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import tempfile
import zlib
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = Path(__file__).resolve().parent
FONT = Path("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf")
FONT_COPYRIGHT = Path("/usr/share/doc/fonts-liberation2/copyright")
# Every character the game writes: printable ASCII and the title's dash.
FONT_CHARACTERS = list(range(0x20, 0x7F)) + [0x2014]
# A subset is a modified font, which the licence forbids to carry the reserved name.
FONT_NAME = "Brumox Caption"
# The page's script by role: what they share first, the start last.
PAGE_PARTS = ["shared.js", "layout.js", "present.js", "sound.js", "menu.js", "input.js",
              "start.js"]


def write_whole(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    handle, temporary = tempfile.mkstemp(dir=path.parent, prefix=f".{path.name}.")
    try:
        with os.fdopen(handle, "wb") as out:
            out.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def subset_font():
    font = TTFont(FONT)
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = []  # dropped, then named anew below
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]  # a FontForge timestamp, of no use to a browser
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=FONT_CHARACTERS)
    subsetter.subset(font)
    names = font["name"]
    for name_id, text in [(1, FONT_NAME), (2, "Bold"), (4, f"{FONT_NAME} Bold"),
                          (6, FONT_NAME.replace(" ", "") + "-Bold")]:
        names.setName(text, name_id, 3, 1, 0x409)
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "font.woff2"
        font.flavor = "woff2"
        font.save(path)
        return path.read_bytes()


def font_metrics():
    """The font's ascent and descent in ems, as the desktop's text layout spaces lines by."""
    font = TTFont(FONT)
    units = font["head"].unitsPerEm
    return {"FONT_ASCENT": font["hhea"].ascent / units, "FONT_DESCENT": -font["hhea"].descent / units}


def font_licence():
    """The font's copyright and licence, as Debian ships them with it."""
    paragraphs = FONT_COPYRIGHT.read_text(encoding="utf-8").split("\n\n")
    body = next(p for p in paragraphs if p.startswith("Files: *"))
    lines = []
    for line in body.splitlines()[1:]:
        if line.startswith(" "):
            lines.append("" if line.strip() == "." else line[1:])
        else:
            lines.append(line)
    return ("The captions' font is a subset of Liberation Sans Bold, renamed "
            f"\"{FONT_NAME}\" as the licence asks of a modified font.\n\n" + "\n".join(lines) + "\n")


def png_from_pam(pam):
    """A PNG of a P7 RGB_ALPHA picture, with Python's own zlib."""
    header, _, pixels = pam.partition(b"ENDHDR\n")
    fields = dict(line.split(b" ", 1) for line in header.splitlines()[1:] if b" " in line)
    width, height = int(fields[b"WIDTH"]), int(fields[b"HEIGHT"])
    if fields[b"TUPLTYPE"].strip() != b"RGB_ALPHA" or len(pixels) != width * height * 4:
        raise ValueError("the icon tool wrote an unexpected picture")
    rows = b"".join(b"\0" + pixels[y * width * 4:(y + 1) * width * 4] for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def paint_icon(tool, size):
    """The icon, painted by the game's own painters and rasteriser."""
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "icon.pam"
        subprocess.run([str(tool), "icon", str(size), str(path)], check=True)
        return png_from_pam(path.read_bytes())


def compact_script(code):
    """The script without its whole-line comments and indentation, which the browser does not
    need (the source keeps them). No template literal or comment block spans lines there, so
    no string is changed."""
    lines = []
    for line in code.split("\n"):
        text = line.strip()
        if line.count("`") % 2 or text.startswith("/*"):
            raise ValueError(f"a string or comment spans lines: {text}")
        if text and not text.startswith("//"):
            lines.append(text)
    return "\n".join(lines) + "\n"


def packed(data):
    """Raw DEFLATE, as inflate.js unpacks it, in base64."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return base64.b64encode(packer.compress(data) + packer.flush()).decode("ascii")


def unpacked_script(code):
    """A script that unpacks the given one into a script element after itself, which runs it at
    once, as if it stood there."""
    return (f"(() => {{ const packed = Uint8Array.from(atob(\"{packed(code)}\"), (c) => "
            f"c.charCodeAt(0)); const script = document.createElement(\"script\"); script.text = "
            f"new TextDecoder().decode(window.brumoxInflate(packed, {len(code)})); "
            f"document.currentScript.after(script); }})();")


def inline_script(code):
    # A script element ends at the first "</script", wherever it is.
    return "<script>\n" + code.replace("</script", "<\\/script") + "\n</script>"


def page_tables(tool):
    """What the page's markup and script take from the core: the game's name, the views, the
    picture names, the buttons' look and the keys."""
    written = subprocess.run([str(tool), "page-tables"], check=True, capture_output=True)
    return json.loads(written.stdout)


def tables_script(tables):
    return "window.brumoxPageTables = " + json.dumps(tables, separators=(",", ":")) + ";"


def page(style, head, scripts, licence, tables):
    html = (HERE / "page.html").read_text(encoding="utf-8").replace("GAME_NAME", tables["name"])
    comment = "<!--\n" + licence.replace("--", "- -") + "-->\n"
    html = html.replace("<!--STYLE-->", style).replace("<!--HEAD-->", head)
    html = html.replace("<!--SCRIPTS-->", scripts)
    return html.replace("<!doctype html>\n", "<!doctype html>\n" + comment, 1)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--compiled", required=True, type=Path,
                        help="folder holding brumox.js and brumox.wasm")
    parser.add_argument("--icon-tool", required=True, type=Path,
                        help="the native brumox-pixels, which paints the icons and writes the "
                        "page's tables")
    parser.add_argument("--out", required=True, type=Path)
    args = parser.parse_args()

    game_js = (args.compiled / "brumox.js").read_text(encoding="utf-8")
    wasm = (args.compiled / "brumox.wasm").read_bytes()
    # The page's script: its parts in one function, so that what they share stays the page's.
    page_js = compact_script("(function () {\n" + "".join(
        (HERE / "page" / part).read_text(encoding="utf-8") for part in PAGE_PARTS) + "})();\n")
    tables = page_tables(args.icon_tool)
    css = (HERE / "page.css").read_text(encoding="utf-8")
    for name, value in font_metrics().items():
        css = css.replace(name, repr(value))
    font = subset_font()
    licence = font_licence()

    # The single file: everything inline, the WebAssembly handed to the script, no fetch. It and
    # the scripts are stored deflated (a third of their size) and unpacked by inflate.js.
    font_url = "data:font/woff2;base64," + base64.b64encode(font).decode("ascii")
    embedded = (f"window.brumoxWasmSize = {len(wasm)};\n"
                f"window.brumoxWasmPacked = \"{packed(wasm)}\";")
    scripts = "\n".join([game_js, tables_script(tables), page_js]).encode("utf-8")
    # Its tab's icon too, painted by the game, small enough to ride along.
    favicon = ('<link rel="icon" type="image/png" sizes="32x32" href="data:image/png;base64,'
               + base64.b64encode(paint_icon(args.icon_tool, 32)).decode("ascii") + '">')
    single = page(css.replace("FONT_URL", font_url), favicon,
                  "\n".join(inline_script(code) for code in [
                      embedded, compact_script((HERE / "inflate.js").read_text(encoding="utf-8")),
                      unpacked_script(scripts)]), licence, tables)
    write_whole(args.out / "brumox.html", single)

    # The site: separate files, relative addresses, a manifest and a service worker.
    site = args.out / "site"
    files = {
        "brumox.js": game_js.encode("utf-8"),
        "brumox.wasm": wasm,
        "page.js": page_js.encode("utf-8"),
        "brumox-caption.woff2": font,
        "LICENSE-font.txt": licence.encode("utf-8"),
        "icon-192.png": paint_icon(args.icon_tool, 192),
        "icon-512.png": paint_icon(args.icon_tool, 512),
    }
    manifest = {
        "name": tables["name"],
        "short_name": "BRUMOX",
        "description": "Guard your gold from a goblin: fire ball, flame breath, or just eat him.",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "orientation": "landscape",
        "background_color": "#101010",
        "theme_color": "#101010",
        "icons": [
            {"src": "icon-192.png", "sizes": "192x192", "type": "image/png", "purpose": "any"},
            {"src": "icon-512.png", "sizes": "512x512", "type": "image/png", "purpose": "any"},
        ],
    }
    files["manifest.webmanifest"] = (json.dumps(manifest, indent=2) + "\n").encode("utf-8")
    head = ('<link rel="manifest" href="manifest.webmanifest">\n'
            '<link rel="icon" type="image/png" sizes="192x192" href="icon-192.png">\n'
            '<link rel="apple-touch-icon" href="icon-192.png">')
    scripts = ('<script src="brumox.js"></script>\n' + inline_script(tables_script(tables))
               + '\n<script src="page.js"></script>\n'
               + inline_script((HERE / "register.js").read_text(encoding="utf-8")))
    files["index.html"] = page(css.replace("FONT_URL", "brumox-caption.woff2"), head, scripts,
                               licence, tables).encode("utf-8")
    # The cache's name changes with any file, so that a new version replaces the old one.
    digest = hashlib.sha256(b"".join(files[name] for name in sorted(files))).hexdigest()[:16]
    worker = (HERE / "sw.js").read_text(encoding="utf-8")
    worker = worker.replace("CACHE_NAME", f"brumox-{digest}")
    worker = worker.replace("SITE_FILES", json.dumps(["./"] + sorted(files)))
    files["sw.js"] = worker.encode("utf-8")

    if site.exists():
        shutil.rmtree(site)
    staging = args.out / ".site-new"
    if staging.exists():
        shutil.rmtree(staging)
    for name, data in files.items():
        write_whole(staging / name, data)
    os.replace(staging, site)


if __name__ == "__main__":
    main()

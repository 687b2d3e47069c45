#!/usr/bin/env python3
"""Turns the translators' .po catalogs into the JSON catalogs both editions
load, checks them against the template of every text the program shows, and
writes the pseudo-language that shows each text wrapped and lengthened.

  po_to_json.py build CATALOG.po OUT.json      one catalog
  po_to_json.py check TEMPLATE.pot CATALOG.po...  exit 1 on any fault
  po_to_json.py pseudo TEMPLATE.pot OUT.json
  po_to_json.py index OUT.json CATALOG.po...    the languages the menus list

A catalog's header gives its language (Language: pt-BR), its own name
(X-Tessaline-Name), its direction (X-Tessaline-Direction: ltr|rtl) and its
decimal mark (X-Tessaline-Decimal: , or .)."""
import json
import re
import sys

PLACEHOLDER = re.compile(r"%[1-9]")
MNEMONIC = re.compile(r"&(?=[^&\s])")


def unquote(s):
    return json.loads(s)  # a .po string is a C string; JSON reads the escapes a .po uses


def read_po(path):
    """[(msgid, msgstr, fuzzy)] in file order, the header included."""
    entries, msgid, msgstr, fuzzy, field = [], None, None, False, None

    def flush():
        nonlocal msgid, msgstr, fuzzy
        if msgid is not None:
            entries.append((msgid, msgstr or "", fuzzy))
        msgid, msgstr, fuzzy = None, None, False

    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.strip()
            if not line:
                continue
            if line.startswith("#,") and "fuzzy" in line:
                flush()
                fuzzy = True
            elif line.startswith("#"):
                continue
            elif line.startswith("msgctxt "):
                sys.exit(f"{path}:{n}: contexts are not used; give the text its own words")
            elif line.startswith("msgid "):
                keep = fuzzy
                flush()
                fuzzy = keep
                msgid, field = unquote(line[6:]), "id"
            elif line.startswith("msgstr "):
                msgstr, field = unquote(line[7:]), "str"
            elif line.startswith('"'):
                if field == "id":
                    msgid += unquote(line)
                elif field == "str":
                    msgstr += unquote(line)
                else:
                    sys.exit(f"{path}:{n}: a string with no msgid or msgstr")
            else:
                sys.exit(f"{path}:{n}: cannot read {line!r}")
    flush()
    return entries


def header(entries):
    fields = {}
    for msgid, msgstr, _ in entries:
        if msgid == "":
            for line in msgstr.split("\n"):
                if ":" in line:
                    k, v = line.split(":", 1)
                    fields[k.strip()] = v.strip()
    return fields


def texts(entries):
    return {i: s for i, s, fuzzy in entries if i != "" and s != "" and not fuzzy}


def catalog(path):
    entries = read_po(path)
    h = header(entries)
    return {
        "code": h.get("Language", "").replace("_", "-"),
        "name": h.get("X-Tessaline-Name", ""),
        "direction": h.get("X-Tessaline-Direction", "ltr"),
        "decimal": h.get("X-Tessaline-Decimal", "."),
        "texts": texts(entries),
    }


def write(obj, out):
    with open(out, "w", encoding="utf-8") as f:
        json.dump(obj, f, ensure_ascii=False, sort_keys=True, separators=(",", ":"))


def check(pot, paths):
    import os
    keys = {i for i, _, _ in read_po(pot) if i != ""}
    faults = []
    for path in paths:
        entries = read_po(path)
        c = catalog(path)
        if os.path.basename(path) != c["code"] + ".po":
            faults.append(f"{path}: the file is named after its Language, {c['code']}.po")
        if not c["code"] or not c["name"] or c["direction"] not in ("ltr", "rtl") or c["decimal"] not in (".", ","):
            faults.append(f"{path}: the header needs Language, X-Tessaline-Name, X-Tessaline-Direction and X-Tessaline-Decimal")
        ids = {i for i, _, _ in entries if i != ""}
        for k in sorted(keys - ids):
            faults.append(f"{path}: missing {k!r}")
        for k in sorted(ids - keys):
            faults.append(f"{path}: not a text of the program {k!r}")
        for i, s, fuzzy in entries:
            if i == "" or i not in keys:
                continue
            if s == "" or fuzzy:
                faults.append(f"{path}: untranslated {i!r}")
                continue
            if sorted(PLACEHOLDER.findall(i)) != sorted(PLACEHOLDER.findall(s)):
                faults.append(f"{path}: placeholders differ in {i!r}")
            if len(MNEMONIC.findall(i)) != len(MNEMONIC.findall(s)):
                faults.append(f"{path}: the '&' mnemonic mark differs in {i!r}")
    for f in faults:
        print(f)
    return 1 if faults else 0


ACCENTED = dict(zip("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
                    "âƀçđéƒĝĥîĵķļɱñöþǫŕšţûṽŵẋýžÂƁÇĐÉƑĜĤÎĴĶĻṀÑÖÞǪŔŠŢÛṼŴẊÝŽ"))
# Kept as they are: placeholders, a file chooser's patterns, escapes.
KEEP = re.compile(r"%[1-9]|\(\*[^)]*\)|;;|\n")


def pseudo_text(s):
    parts, last = [], 0
    for m in KEEP.finditer(s):
        parts.append("".join(ACCENTED.get(c, c) for c in s[last:m.start()]))
        parts.append(m.group(0))
        last = m.end()
    parts.append("".join(ACCENTED.get(c, c) for c in s[last:]))
    body = "".join(parts)
    # About a third longer, as German and French often are.
    return "[" + body + " " + "~" * max(2, (len(s) + 2) // 3) + "]"


def pseudo(pot, out):
    keys = [i for i, _, _ in read_po(pot) if i != ""]
    write({"code": "qps", "name": "[Ƥšéûðö ~~]", "direction": "ltr", "decimal": ",",
           "texts": {k: pseudo_text(k) for k in keys}}, out)


def main(argv):
    if len(argv) == 4 and argv[1] == "build":
        write(catalog(argv[2]), argv[3])
    elif len(argv) >= 3 and argv[1] == "check":
        return check(argv[2], argv[3:])
    elif len(argv) == 4 and argv[1] == "pseudo":
        pseudo(argv[2], argv[3])
    elif len(argv) >= 3 and argv[1] == "index":
        langs = [{"code": "en", "name": "English", "direction": "ltr"}]
        for path in argv[3:]:
            c = catalog(path)
            langs.append({"code": c["code"], "name": c["name"], "direction": c["direction"]})
        write(sorted(langs, key=lambda l: l["code"]), argv[2])
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

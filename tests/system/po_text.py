#!/usr/bin/env python3
"""A text of the game as a language's catalogue shows it: the translation of
TEXT (in CONTEXT, if given) in the .po file, or TEXT itself where the
catalogue has none, as the game falls back to Russian.
  po_text.py FILE.po TEXT [CONTEXT]"""
import sys


def unquote(line):
    body = line[line.index('"') + 1 : line.rindex('"')]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body):
            i += 1
            c = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}.get(body[i], body[i])
        out.append(c)
        i += 1
    return "".join(out)


def entries(path):
    """Yields (context, original, translation) for every entry of the file."""
    fields, key = {}, None
    with open(path, encoding="utf-8") as f:
        for raw in list(f) + [""]:
            line = raw.strip()
            if not line or line.startswith("#"):
                if "msgid" in fields:
                    yield fields.get("msgctxt"), fields["msgid"], fields.get("msgstr", fields.get("msgstr[0]", ""))
                    fields, key = {}, None
                continue
            if line.startswith('"'):
                fields[key] += unquote(line)
                continue
            key = line.split(" ", 1)[0]
            fields[key] = unquote(line)


def main():
    path, text = sys.argv[1], sys.argv[2]
    context = sys.argv[3] if len(sys.argv) > 3 else None
    for ctx, original, translation in entries(path):
        if original == text and ctx == context and translation:
            sys.stdout.write(translation)
            return
    sys.stdout.write(text)


main()

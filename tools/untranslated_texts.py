#!/usr/bin/env python3
"""Lists Chinese string literals in the sources that do not pass through translation.

A Chinese literal is translated when it is the text of tr(), QCoreApplication::translate(),
QT_TR_NOOP / QT_TRANSLATE_NOOP, or the Chinese half of messageText() / say() (which carry their
English beside them); a literal continued from such a one ("..." "...") counts as its part.
Comments are not looked at. Usage: untranslated_texts.py SRC_DIR [ALLOWED_FILE ...]; exit 1 when
any is found. untranslated_texts.py --ts FILE.ts ...: lists the messages without a finished
translation instead. ALLOWED_FILE: paths (relative to SRC_DIR) whose Chinese literals are meant as they
stand (a language's own name, a font's family name)."""
import os
import re
import sys

CJK = re.compile(r"[\u3000-\u303f\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]")
TRANSLATING = re.compile(
    r"(\btr|\btranslate|QT_TR_NOOP|QT_TRANSLATE_NOOP|QT_TRANSLATE_NOOP3|\bmessageText|\bsay)\s*\(\s*"
    r"(\"(?:[^\"\\]|\\.)*\"\s*,\s*)?$")


def literals(code):
    """(start, end, text) of each string literal in code with comments blanked out."""
    out = []
    i, n = 0, len(code)
    while i < n:
        c = code[i]
        if code.startswith("//", i):
            j = code.find("\n", i)
            i = n if j < 0 else j
        elif code.startswith("/*", i):
            j = code.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c == "'":
            j = i + 1
            while j < n and code[j] != "'":
                j += 2 if code[j] == "\\" else 1
            i = j + 1
        elif c == '"':
            j = i + 1
            while j < n and code[j] != '"':
                j += 2 if code[j] == "\\" else 1
            out.append((i, j + 1, code[i + 1:j]))
            i = j + 1
        else:
            i += 1
    return out


def untranslated(path):
    code = open(path, encoding="utf-8").read()
    found = []
    translated_until = -1  # end of the last translated literal
    for start, end, text in literals(code):
        before = code[:start]
        stripped = before.rstrip()
        # u"..." / u8"..." prefixes and QStringLiteral( wrappers do not translate anything.
        continued = translated_until >= 0 and code[translated_until:start].strip() == ""
        translated = continued or TRANSLATING.search(stripped[-200:] + "") is not None
        if translated:
            translated_until = end
        if CJK.search(text) and not translated:
            line = code.count("\n", 0, start) + 1
            found.append((line, text))
    return found


def unfinished(ts_files):
    """Messages of the .ts files without a finished translation."""
    import xml.etree.ElementTree as ET
    found = []
    for path in ts_files:
        for context in ET.parse(path).getroot().iter("context"):
            for message in context.iter("message"):
                translation = message.find("translation")
                if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete") \
                        or not (translation.text or "").strip():
                    found.append(f"{os.path.basename(path)}: {context.findtext('name')}: {message.findtext('source')}")
    return found


def main():
    if sys.argv[1] == "--ts":
        missing = unfinished(sys.argv[2:])
        for m in missing:
            print(m)
        print(f"{len(missing)} messages without an English translation", file=sys.stderr)
        return 1 if missing else 0
    src = sys.argv[1]
    allowed = set(sys.argv[2:])
    total = 0
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src)
            if rel in allowed:
                continue
            for line, text in untranslated(path):
                print(f"{rel}:{line}: \"{text}\"")
                total += 1
    print(f"{total} Chinese texts outside translation", file=sys.stderr)
    return 1 if total else 0


if __name__ == "__main__":
    sys.exit(main())

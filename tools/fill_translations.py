#!/usr/bin/env python3
"""Fills a Qt Linguist .ts file from a JSON table {"Chinese source": "English"}: every message
whose source is in the table gets that translation and loses its "unfinished" mark. Prints the
sources still without a translation. Usage: fill_translations.py FILE.ts TABLE.json"""
import json
import sys
import xml.etree.ElementTree as ET


def main():
    ts_path, table_path = sys.argv[1], sys.argv[2]
    table = json.load(open(table_path, encoding="utf-8"))
    tree = ET.parse(ts_path)
    missing = []
    for message in tree.getroot().iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        if source in table:
            translation.text = table[source]
            translation.attrib.pop("type", None)
        elif translation.get("type") == "unfinished" or not (translation.text or "").strip():
            missing.append(source)
    ET.indent(tree, space="    ")
    with open(ts_path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        out.write(ET.tostring(tree.getroot(), encoding="unicode"))
        out.write("\n")
    for source in missing:
        print(source)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())

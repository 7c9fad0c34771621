"""Fills a Qt Linguist translation file from a table of source text -> translation.

Shared by the fill scripts of the game (fill_sv.py) and the editor (fill_editor_sv.py).
"""
import xml.etree.ElementTree as ET


def fill(path, table):
    """Writes the translation of every message found in `table` into the file at `path`.

    Prints the source texts that have no translation yet and returns 1 when there are any,
    else 0.
    """
    tree = ET.parse(path)
    missing = []
    for message in tree.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        text = table.get(source)
        if text is None:
            missing.append(source)
            continue
        translation.text = text
        translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    for source in missing:
        print("untranslated:", repr(source))
    return 1 if missing else 0

"""Fills a Qt Linguist translation file from a table of source text -> translation.

A key may also be a (context, source text) pair, which wins over the plain source text in that
context: the same English word can need two Swedish ones ("Play" a game, "Play" a replay).

Shared by the fill scripts of the game (fill_sv.py, fill_en.py) and the editor
(fill_editor_sv.py). A text with a count (%n, a message marked numerus="yes") takes a tuple of
forms in the order of the language's plural rules (English and Swedish: one, then many).
"""
import xml.etree.ElementTree as ET


def _fill_numerus(translation, forms):
    for child in list(translation):
        translation.remove(child)
    translation.text = None
    for form in forms:
        ET.SubElement(translation, "numerusform").text = form


def fill(path, table, keep_unlisted=False):
    """Writes the translation of every message found in `table` into the file at `path`.

    Prints the source texts that have no translation yet and returns 1 when there are any,
    else 0 (with keep_unlisted, messages missing from the table are left alone and not
    counted).
    """
    tree = ET.parse(path)
    missing = []
    for context, message in (
        (context.findtext("name"), message)
        for context in tree.iter("context")
        for message in context.iter("message")
    ):
        source = message.findtext("source")
        translation = message.find("translation")
        # A (context, source) key holds a word that one window says otherwise than the rest.
        text = table.get((context, source), table.get(source))
        numerus = message.get("numerus") == "yes"
        if text is None or numerus != isinstance(text, tuple):
            if not keep_unlisted:
                missing.append(source + (" (needs a tuple of forms)" if text is not None else ""))
            continue
        if numerus:
            _fill_numerus(translation, text)
        else:
            translation.text = text
        translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    for source in missing:
        print("untranslated:", repr(source))
    return 1 if missing else 0

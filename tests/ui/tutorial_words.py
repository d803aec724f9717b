#!/usr/bin/python3
"""Checks that every caption the tutorial of each language names (its <span class="ui"> texts,
menu paths split at ">") is a caption the program shows in that language: from its language file
or its translations. A renamed button or menu item then fails here instead of leaving the
tutorial pointing at something the user cannot find.

    tutorial_words.py SOURCE_DIR
"""
import html
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

root = pathlib.Path(sys.argv[1])


def captions(language):
    words = set()
    ini = root / "data" / f"{language}.ini"
    words.update(line.strip() for line in ini.read_text(encoding="utf-8").splitlines())
    # English shows the sources; the others their translations.
    ts = ET.parse(root / "translations" / f"morvane_{'fr' if language == 'en' else language}.ts")
    for message in ts.iter("message"):
        node = message.find("source" if language == "en" else "translation")
        if node is not None and node.text:
            words.add(node.text)
    # "&Exit" is shown "Exit".
    return {w.replace("&&", "\0").replace("&", "").replace("\0", "&") for w in words if w}


def shown(part, known):
    # The tutorial may name a caption by its first words: "Interval" for "Interval (Close
    # After Day/Hour/Minute/Second)", "Auto Type" for "Auto Type:".
    return any(w == part or (w.startswith(part) and w[len(part)] in " :(\u00a0")
               for w in known)


failures = []
for language, page in (("en", "tutorial.html"), ("fr", "tutorial.fr.html"),
                       ("pl", "tutorial.pl.html")):
    known = captions(language)
    text = (root / "docs" / page).read_text(encoding="utf-8")
    for span in re.findall(r'<span class="ui">(.*?)</span>', text, re.S):
        for part in html.unescape(" ".join(span.split())).split(" > "):
            failure = f"{page}: the program shows no {part!r}"
            if not shown(part, known) and failure not in failures:
                failures.append(failure)
for failure in failures:
    print(f"FAIL: {failure}")
sys.exit(1 if failures else 0)

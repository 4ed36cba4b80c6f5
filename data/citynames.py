# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""How the shipped city names are made: "City, Country" within 32 UTF-16 units.

Pure functions, shared by make-citydata and its test (tests/data).
"""

import re
import unicodedata

MAX_NAME = 32  # UTF-16 units, the city editor's limit

# Letters that carry no combining mark to strip but still stand for a plain one.
_PLAIN = str.maketrans({"ł": "l", "Ł": "L", "ø": "o", "Ø": "O", "đ": "d", "Đ": "D", "ı": "i",
                        "ß": "ss", "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ħ": "h", "Ħ": "H"})
_QUOTES = str.maketrans({"\u2019": "'", "\u2018": "'", "\u02bc": "'", "\u02bb": "'", "`": "'", "\u00b4": "'"})

# Words a name may not end on once shortened: "Valle de" says less than "Valle".
_CONNECTORS = {"de", "del", "da", "do", "dos", "das", "di", "la", "las", "los", "le", "les", "el", "al",
               "of", "the", "and", "y", "e", "am", "an", "im", "upon", "on", "sur", "-"}


def utf16_len(s):
    return len(s.encode("utf-16-le")) // 2


def plain(s):
    """The letters without their marks (Ā, ḩ, ố become A, h, o), apostrophes typed."""
    s = unicodedata.normalize("NFKD", s.translate(_QUOTES))
    return unicodedata.normalize("NFC", "".join(c for c in s if not unicodedata.combining(c))).translate(_PLAIN)


def match_key(s):
    """What two spellings of one place share: lower-case letters and digits, no marks."""
    return re.sub(r"[^0-9a-z]", "", plain(s).casefold())


def with_tag(city, tag):
    return f"{city} ({tag})" if tag else city


_SAINT = re.compile(r"\b(Saint|Sainte)\b")


def fit(city, tag, country):
    """The full name, its city part shortened when too long.

    First Saint and Sainte become St and Ste, then words are dropped from the
    end. The tag (which tells apart cities of one name in one country) and the
    country are kept whole; a word is never cut, and a shortened name does not
    end on a connecting word ("de", "of"). Returns None when not even the first
    word fits.
    """
    name = f"{with_tag(city, tag)}, {country}"
    if utf16_len(name) <= MAX_NAME:
        return name
    words = _SAINT.sub(lambda m: "St" if m.group(1) == "Saint" else "Ste", city).split(" ")
    while words:
        name = f"{with_tag(' '.join(words), tag)}, {country}"
        if utf16_len(name) <= MAX_NAME:
            return name
        words.pop()
        while len(words) > 1 and words[-1].casefold() in _CONNECTORS:
            words.pop()
    return None


def sort_key(name):
    """Browsing order: letters without their marks, case ignored (Ürümqi among the U's)."""
    return (plain(name).casefold(), name)

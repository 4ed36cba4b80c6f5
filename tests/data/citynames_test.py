# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""The naming rules of the shipped city data (data/citynames.py)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data"))
from citynames import fit, match_key, plain, sort_key, utf16_len  # noqa: E402


class Fit(unittest.TestCase):
    def test_names(self):
        cases = [
            # city, tag, country -> name
            ("São Paulo", "", "Brazil", "São Paulo, Brazil"),
            ("Springfield", "IL", "United States", "Springfield (IL), United States"),
            # Whole words go from the end, and a connecting word with them.
            ("Santiago de los Caballeros", "", "Dominican Rep.", "Santiago, Dominican Rep."),
            ("Soledad de Graciano Sánchez", "", "Mexico", "Soledad de Graciano, Mexico"),
            # The tag stays whole; the city part gives way.
            ("Santa Cruz de la Sierra", "SC", "Bolivia", "Santa Cruz (SC), Bolivia"),
            ("Saint-Quentin-en-Yvelines", "", "France", "St-Quentin-en-Yvelines, France"),
            # 32 code points, but 𠀋 takes two UTF-16 units.
            ("𠀋 Abcdefghijklmnopq Rstuv", "", "China", "𠀋 Abcdefghijklmnopq, China"),
            ("Llanfairpwllgwyngyllgogerychwyrn", "", "United Kingdom", None),
        ]
        for city, tag, country, want in cases:
            with self.subTest(city=city):
                got = fit(city, tag, country)
                self.assertEqual(got, want)
                if got:
                    self.assertLessEqual(utf16_len(got), 32)


class Spelling(unittest.TestCase):
    def test_plain_letters(self):
        for text, want in [("Gudivāda", "Gudivada"), ("Ţanţā", "Tanta"), ("Xi’an", "Xi'an"),
                           ("Łódź", "Lodz"), ("Hải Phòng", "Hai Phong")]:
            self.assertEqual(plain(text), want)

    def test_one_place_two_spellings(self):
        self.assertEqual(match_key("Wrocław"), match_key("Wroclaw"))
        self.assertEqual(match_key("Québec City"), match_key("Quebec city"))
        self.assertNotEqual(match_key("Niger"), match_key("Nigeria"))

    def test_browsing_order_ignores_marks_and_case(self):
        names = ["Zürich, Switzerland", "Ürümqi, China", "ufa, Russia", "Łódź, Poland", "Vaduz, Liechtenstein"]
        self.assertEqual(sorted(names, key=sort_key),
                         ["Łódź, Poland", "ufa, Russia", "Ürümqi, China", "Vaduz, Liechtenstein", "Zürich, Switzerland"])


if __name__ == "__main__":
    unittest.main()

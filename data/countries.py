# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Country names as the shipped data spells them.

The city database names cities "City, Country" and dialcodes.dat lists
"Country<TAB>+code"; the finder joins the two by the country text, so both
files take their country names from here: tzdata's iso3166.tab, with the
forms below where that name is bracketed, abbreviated or too long to fit a
32-character city name.
"""

ISO3166_TAB = "/usr/share/zoneinfo/iso3166.tab"

SHORT_FORMS = {
    "AS": "American Samoa",  # Samoa (American)
    "BL": "St Barthélemy",
    "BQ": "Bonaire",  # Caribbean NL; "Kralendijk, Caribbean Netherlands" is 33
    "CC": "Cocos Islands",
    "CD": "DR Congo",
    "CF": "Central African Republic",
    "CG": "Congo",
    "CI": "Côte d'Ivoire",  # typed apostrophe, not U+2019
    "DO": "Dominican Rep.",  # "Santo Domingo, Dominican Republic" is 33
    "GB": "United Kingdom",
    "GS": "South Georgia",
    "HM": "Heard & McDonald Islands",
    "IO": "Chagos Islands",
    "KP": "North Korea",
    "KR": "South Korea",
    "MF": "St Martin",
    "MM": "Myanmar",
    "SJ": "Svalbard",
    "ST": "São Tomé & Príncipe",
    "SX": "Sint Maarten",
    "SZ": "Eswatini",
    "TC": "Turks & Caicos",
    "TF": "French Southern Lands",
    "UM": "US Outlying Islands",
    "VG": "British Virgin Islands",
    "VI": "US Virgin Islands",
    "WS": "Samoa",
}

# Countries iso3166.tab does not list (a code not yet assigned by ISO) but
# GeoNames and the phone-number metadata do.
MORE_COUNTRIES = {
    "XK": "Kosovo",
}


def country_names():
    """ISO code -> country name, for every entry of iso3166.tab."""
    names = {}
    with open(ISO3166_TAB, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            code, name = line.rstrip("\n").split("\t")[:2]
            names[code] = SHORT_FORMS.get(code, name)
    names.update(MORE_COUNTRIES)
    for code, name in names.items():
        if "," in name or "\t" in name:
            raise SystemExit(f"country name for {code} must not hold a comma or TAB: {name!r}")
    return names

# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Clock list files for the scenarios, the screenshots and the cost bench, in
# the program's own format (CR LF lines). Source it; then
#   { aclock ...; aclock ...; } | clock_list aclocks >aclocks.dat
# Elements left out read as their zero values.

# aclock THEMEFILE CITY SHORT TZD X Y WIDTH [HIDEAMPM] [ALPHA]
aclock() {
  printf '<aclock>\n<themefile>%s</themefile>\n<cityname>%s</cityname>\n<shortcityname>%s</shortcityname>\n' "$1" "$2" "$3"
  printf '<tzd>%s</tzd>\n<textsize>%d</textsize>\n<hideampm>%s</hideampm>\n<formx>%d</formx>\n<formy>%d</formy>\n' \
    "$4" $((9 + ($7 - 100) / 50)) "${8:-0}" "$5" "$6"
  printf '<alwaystop>-1</alwaystop>\n<alphavalue>%d</alphavalue>\n' "${9:-255}"
  printf '<clockwidth>%d</clockwidth>\n<clockheight>%d</clockheight>\n<clockrad>%d</clockrad>\n</aclock>\n' \
    "$7" "$7" $(($7 / 2))
}

# dclock THEMEFILE CITY SHORT TZD X Y [HIDEDATE] [ALPHA]
dclock() {
  printf '<dclock>\n<themefile>%s</themefile>\n<cityname>%s</cityname>\n<shortcityname>%s</shortcityname>\n' "$1" "$2" "$3"
  printf '<tzd>%s</tzd>\n<hidedate>%s</hidedate>\n<formx>%d</formx>\n<formy>%d</formy>\n' "$4" "${7:-0}" "$5" "$6"
  printf '<alwaystop>-1</alwaystop>\n<alphavalue>%d</alphavalue>\n</dclock>\n' "${8:-255}"
}

# clock_list ROOT: the clocks on standard input inside the file's frame.
clock_list() {
  { echo '<?xml version="1.0" encoding="UTF-8" ?>'; echo "<$1>"; cat; echo "</$1>"; } | sed 's/$/\r/'
}

# The element's value in the clock's group of a list file.
stored() {  # stored FILE CITY ELEMENT
  tr -d '\r' <"$1" | awk -v city="<cityname>$2</cityname>" -v el="<$3>" '
    /^<[ad]clock>$/ { mine = 0; value = "" }
    $0 == city { mine = 1 }
    index($0, el) == 1 { value = $0; gsub(/<[^>]*>/, "", value) }
    /^<\/[ad]clock>$/ && mine { print value; exit }'
}

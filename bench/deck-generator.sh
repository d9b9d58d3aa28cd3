# Sourced by the benchmark scripts; defines generate BYTES FILE.
# Valid WML 1.1 with the public DOCTYPE: cards that hold every control kind,
# one element or text run a line, until the deck reaches BYTES.
generate() {
    awk -v bytes="$1" 'BEGIN {
        print "<?xml version=\"1.0\"?>"
        print "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" \"http://www.wapforum.org/DTD/wml_1.1.xml\">"
        print "<wml>"
        size = 150
        for (n = 1; size < bytes; n++) {
            card = "<card id=\"c" n "\" title=\"Card " n "\" newcontext=\"false\" ordered=\"true\">\n" \
                "<onevent type=\"onenterforward\">\n<refresh>\n<setvar name=\"v\" value=\"" n "\"/>\n</refresh>\n</onevent>\n" \
                "<timer name=\"t\" value=\"100\"/>\n" \
                "<do type=\"accept\" label=\"Next\">\n<go href=\"#c" n + 1 "\" method=\"post\">\n" \
                "<postfield name=\"card\" value=\"" n "\"/>\n</go>\n</do>\n" \
                "<p align=\"left\">\nWelcome to card " n "\n<b>bold</b>\n<i>italic</i>\n<em>em</em>\n" \
                "<strong>strong</strong>\n<u>under</u>\n<big>big</big>\n<small>small</small>\n" \
                "&nbsp;\nafter a blank<br/>\n<a href=\"#c" n "\">Again</a>\n" \
                "<input name=\"who" n "\" title=\"Name\" maxlength=\"20\"/>\n" \
                "<select name=\"cup" n "\">\n<optgroup title=\"Sizes\">\n" \
                "<option value=\"s\">Small</option>\n<option value=\"l\">Large</option>\n</optgroup>\n" \
                "<option value=\"n\">None</option>\n</select>\n" \
                "<img src=\"logo.wbmp\" alt=\"Logo\"/>\n</p>\n</card>"
            print card
            size += length(card) + 1
        }
        print "</wml>"
    }' >"$2"
}

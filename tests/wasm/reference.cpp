// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The native side of the comparison: runs each case that cases.cpp wrote through the web
// page's C interface (web/adapter.h), built natively, and writes one line for it: what the
// command returned, the fourteen field texts after it and every box it asked for (title,
// prompt, style), tab-separated and escaped as the cases are. drive.mjs does the same through
// the WebAssembly build, as the page does.

#include "case.h"

#include "adapter.h"

#include <cstdio>
#include <iostream>
#include <string>

int main()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string out;
    long long number = 0;
    while (std::getline(std::cin, line)) {
        ++number;
        const webcore_test::Case c = webcore_test::decode(line);
        for (int field = 0; field < ddv_field_count(); ++field)
            ddv_set_text(field, c.texts[static_cast<std::size_t>(field)].c_str());
        int boxes = 0;
        if (c.command == 'C') {
            boxes = ddv_calculate(c.separator.c_str());
        } else if (c.command == 'R') {
            boxes = ddv_check_rx_wire();
        } else if (c.command == 'T') {
            boxes = ddv_check_tx_wire();
        } else {
            std::fprintf(stderr, "line %lld holds no case\n", number);
            return 2;
        }

        out = std::to_string(boxes);
        for (int field = 0; field < ddv_field_count(); ++field)
            out += '\t' + webcore_test::escaped(ddv_text(field));
        for (int k = 0; k < boxes; ++k) {
            out += '\t' + webcore_test::escaped(ddv_box_title(k));
            out += '\t' + webcore_test::escaped(ddv_box_prompt(k));
            out += '\t' + std::to_string(ddv_box_style(k));
        }
        out += '\n';
        std::cout << out;
    }
    return 0;
}

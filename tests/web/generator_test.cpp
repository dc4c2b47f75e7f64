// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The page generator under edits of the main window's design such as a contributor makes: the
// page keeps the same structure (its markup holds no places), or the generator refuses with a
// message naming the piece, never a different page.

#include "page.h"

#include "design/infoforms.h"
#include "design/mainform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using design::ControlDesign;
using Controls = std::vector<ControlDesign>;

ControlDesign &find(Controls &controls, std::string_view name, int index)
{
    const auto at = std::find_if(controls.begin(), controls.end(), [&](const ControlDesign &c) {
        return c.name == name && c.index == index;
    });
    if (at == controls.end())
        throw std::logic_error("no such control in the design");
    return *at;
}

void remove(Controls &controls, std::string_view name, int index)
{
    controls.erase(controls.begin() + (&find(controls, name, index) - controls.data()));
}

generator::Site pageOf(const Controls &controls)
{
    design::FormDesign form = design::mainform::kForm;
    form.controls = controls;
    const design::FormDesign *info[] = {&design::aboutform::kForm, &design::authorform::kForm};
    return generator::generate(form, design::mainform::kBlocks, info,
                               {"@TITLE@ @VERSION@ @BACKGROUND@ @WINDOWS@",
                                "@media (--wide) {} @media (--narrow) {}", "@BACKGROUND@"},
                               "1.00");
}

TEST(PageGenerator, KeepsTheStructureOrRefusesAnEditedDesign)
{
    const Controls designed(design::mainform::kControls.begin(), design::mainform::kControls.end());
    const generator::Site page = pageOf(designed);

    struct Edit {
        const char *what;
        std::function<void(Controls &)> change;
        const char *refusal; // what the message names; nullptr: the same markup
    };
    const Edit edits[] = {
        {"divider Line2(0) moved from 3960 to 5200 twips",
         [](Controls &c) { find(c, "Line2", 0).place.top = 5200; }, nullptr},
        {"the RX ring's unit label moved down by a pixel",
         [](Controls &c) { find(c, "Label1", 3).place.top += 15; }, nullptr},
        {"the RX adjusting section's heading removed", [](Controls &c) { remove(c, "Label1", 13); },
         "Label1(13) is not in Form1"},
        {"the RX ring's unit label removed", [](Controls &c) { remove(c, "Label1", 3); },
         "Label1(3) is not in Form1"},
        {"a row label naming another field",
         [](Controls &c) { find(c, "Label1", 8).text = find(c, "Label1", 17).text; },
         "Label1(8) does not name Text5(1)"},
        {"a unit label with another unit",
         [](Controls &c) { find(c, "Label1", 3).text = find(c, "Label1", 7).text; },
         "the unit of Text2(0) is not its field's"},
        {"a label the grouping does not know",
         [](Controls &c) { c.push_back(design::mainform::label(40, {}, "кГц", {})); },
         "Label1(40) belongs to no row"},
        {"a field out of the focus order", [](Controls &c) { find(c, "Text4", 0).tabIndex = -1; },
         "Text4(0) has no place in the focus order"},
        {"one role with two colours",
         [](Controls &c) {
             find(c, "Text4", 0).background = design::rgb("input-face", 128, 255, 129);
         },
         "the role input-face names two colours"},
        {"a colour without a role",
         [](Controls &c) { find(c, "Text4", 0).background = design::rgb({}, 1, 2, 3); }, "#010203"},
    };
    for (const Edit &edit : edits) {
        SCOPED_TRACE(edit.what);
        Controls edited = designed;
        edit.change(edited);
        if (!edit.refusal) {
            EXPECT_EQ(pageOf(edited).index, page.index);
            continue;
        }
        try {
            pageOf(edited);
            ADD_FAILURE() << "generated a page";
        } catch (const generator::Refusal &refusal) {
            EXPECT_NE(std::string_view(refusal.what()).find(edit.refusal), std::string_view::npos)
                << refusal.what();
        }
    }
}

} // namespace

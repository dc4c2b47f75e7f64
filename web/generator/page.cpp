// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page's markup and design style sheet, written from the windows' designs and the
// field table, so that no label, unit, default text, caption, colour, size or place is written a
// second time for the page. The markup is semantic HTML (a label for every field, buttons, headings
// for the blocks and their sections, dialogs for the information windows) with the main window's
// controls in its focus order; the style sheet holds the design's colours as custom properties
// named by their roles, every control's place for screens as wide as the window, and the place in
// one column of every row, heading and block for narrower ones. What the designs do not declare,
// the generator refuses to guess.

#include "page.h"

#include "calculator/fields.h"
#include "calculator/numbers.h"
#include "design/chrome.h"
#include "design/infoforms.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace generator {

namespace {

using design::ControlDesign;
using design::ControlKind;
using design::DesignColor;
using design::FormDesign;

// Text for HTML content and attribute values.
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            break; // the page's lines end with LF alone
        default:
            out += c;
        }
    }
    return out;
}

// The id of a control: its window's name, its own and its element index for an element of a
// control array (Form1_Text3_1).
std::string idOf(std::string_view form, const ControlDesign &c)
{
    std::string id = std::string(form) + "_" + std::string(c.name);
    return c.index < 0 ? id : id + "_" + std::to_string(c.index);
}

std::string pixels(int twips)
{
    return std::to_string(design::twips(twips)) + "px";
}

// A colour as CSS writes it: #RRGGBB, or #RRGGBBAA when it lets the page behind show through.
std::string hexOf(std::uint32_t argb)
{
    char hex[10];
    const unsigned alpha = argb >> 24;
    if (alpha == 0xff)
        std::snprintf(hex, sizeof hex, "#%06x", argb & 0xffffffu);
    else
        std::snprintf(hex, sizeof hex, "#%06x%02x", argb & 0xffffffu, alpha);
    return hex;
}

class StyleSheet {
  public:
    // A rule giving a control its colours, font and (on wide screens) its place, above the
    // controls made before it.
    void control(const FormDesign &form, const ControlDesign &c)
    {
        const std::string_view formName = form.name;
        const auto stacking = &c - form.controls.data() + 1;
        std::ostringstream colours;
        if (c.background.isSet())
            colours << " --face: var(" << use(c.background) << ");";
        if (c.foreground.isSet())
            colours << " --ink: var(" << use(c.foreground) << ");";
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Picture)
            colours << " --font: var(--font-"
                    << (c.font.family == design::DesignFont::MsSansSerif ? "sans" : "serif")
                    << "); --points: " << c.font.points
                    << "pt; --weight: " << (c.font.bold ? "bold" : "normal") << ";";
        rules_ << "#" << idOf(formName, c) << " {" << colours.str() << " }\n";

        const design::TwipsBox &p = c.place;
        if (c.kind == ControlKind::Line) {
            // Both ends included, one pixel wide.
            const int x1 = design::twips(std::min(p.left, p.left + p.width));
            const int y1 = design::twips(std::min(p.top, p.top + p.height));
            const int x2 = design::twips(std::max(p.left, p.left + p.width));
            const int y2 = design::twips(std::max(p.top, p.top + p.height));
            places_ << "  #" << idOf(formName, c) << " { left: " << x1 << "px; top: " << y1
                    << "px; width: " << x2 - x1 + 1 << "px; height: " << y2 - y1 + 1
                    << "px; z-index: " << stacking << "; }\n";
        } else {
            places_ << "  #" << idOf(formName, c) << " { left: " << pixels(p.left)
                    << "; top: " << pixels(p.top) << "; width: " << pixels(p.width)
                    << "; height: " << pixels(p.height) << "; z-index: " << stacking << "; }\n";
        }
    }

    void form(const FormDesign &f)
    {
        rules_ << "#" << f.name << " { --form-background: var(" << use(f.background)
               << "); --form-width: " << pixels(f.clientWidth)
               << "; --form-height: " << pixels(f.clientHeight)
               << "; --form-left: " << pixels(f.left) << "; --form-top: " << pixels(f.top) << ";";
        // The box a picture is shown in, for the window's one-column layout.
        for (const ControlDesign &c : f.controls)
            if (c.kind == ControlKind::Picture)
                rules_ << " --picture-width: " << pixels(c.place.width)
                       << "; --picture-height: " << pixels(c.place.height) << ";";
        rules_ << " }\n";
    }

    std::string text(std::string_view wide, std::string_view narrow)
    {
        for (const DesignColor &color : design::chrome::kColors)
            use(color);
        std::ostringstream out;
        out << "/* Generated from the windows' designs: do not edit. */\n\n:root {\n";
        out << "  --font-sans: " << families(design::kSansFamilies) << ", sans-serif;\n";
        out << "  --font-serif: " << families(design::kSerifFamilies) << ", serif;\n";
        for (const auto &[name, value] : properties_)
            out << "  " << name << ": " << value << ";\n";
        out << "}\n\n"
            << rules_.str() << "\n@media " << wide << " {\n"
            << places_.str() << "}\n\n@media " << narrow << " {\n"
            << column_.str() << "}\n";
        return out.str();
    }

    // Where an element stands in the one column of narrow screens: its grid rows.
    void row(std::string_view id, int first, int span = 1)
    {
        column_ << "  #" << id << " { grid-row: " << first;
        if (span > 1)
            column_ << " / span " << span;
        column_ << "; }\n";
    }

  private:
    static std::string families(std::span<const std::string_view> names)
    {
        std::string list;
        for (const std::string_view name : names)
            list += (list.empty() ? "\"" : ", \"") + std::string(name) + "\"";
        return list;
    }

    // The custom property that holds a colour, named by the colour's role. The system colours
    // are the ones the desktop program shows where the system gives none.
    std::string use(const DesignColor &color)
    {
        if (color.role.empty())
            throw Refusal("a colour (" + hexOf(color.rgb) + ") has no role to be named by");
        const std::string name = "--" + std::string(color.role);
        const std::string value = hexOf(color.kind == DesignColor::Kind::System
                                            ? 0xff000000u | design::fixedRgb(color.system)
                                            : color.rgb);
        const auto [at, added] = properties_.emplace(name, value);
        if (!added && at->second != value)
            throw Refusal("the role " + std::string(color.role) + " names two colours, " +
                          at->second + " and " + value);
        return name;
    }

    std::map<std::string, std::string> properties_;
    std::ostringstream rules_;
    std::ostringstream places_;
    std::ostringstream column_;
};

std::string nameOf(const ControlDesign &c)
{
    return std::string(c.name) + (c.index < 0 ? "" : "(" + std::to_string(c.index) + ")");
}

// The main window's controls, each taken once by the part of the page that shows it: a control
// that the grouping names twice or that no part takes is refused by name.
class Controls {
  public:
    explicit Controls(const FormDesign &form) : form_(form) {}

    const ControlDesign &take(std::string_view name, int index, ControlKind kind)
    {
        for (const ControlDesign &c : form_.controls)
            if (c.name == name && c.index == index) {
                if (c.kind != kind)
                    throw Refusal(nameOf(c) + " is not of the kind the grouping gives it");
                if (!taken_.insert(&c).second)
                    throw Refusal(nameOf(c) + " is named twice by the grouping");
                return c;
            }
        throw Refusal(std::string(name) + "(" + std::to_string(index) + ") is not in " +
                      std::string(form_.name));
    }
    const ControlDesign &label(int index) { return take("Label1", index, ControlKind::Label); }

    // Lines and buttons stand on their own; every other control must have been taken.
    void checkAllTaken() const
    {
        for (const ControlDesign &c : form_.controls)
            if (c.kind != ControlKind::Line && c.kind != ControlKind::Button &&
                !taken_.contains(&c))
                throw Refusal(nameOf(c) + " belongs to no row, section or block");
    }

  private:
    const FormDesign &form_;
    std::set<const ControlDesign *> taken_;
};

// One row of a section: the field, the label that names it and its unit.
struct Row {
    const ControlDesign *field, *label, *unit;
    const calculator::FieldInfo *info;
    std::string id; // of the element that holds the three
};

class Page {
  public:
    Page(StyleSheet &css, std::string_view version, std::string narrow)
        : css_(css), version_(version), narrow_(std::move(narrow))
    {
    }

    // The main window. Its focusable controls stand in its focus order, so that Tab, a phone's
    // next and previous keys and the page's reading go through them as through the window; each
    // section, a region named by its heading and its block's letter, owns its rows for screen
    // readers, and the style sheet places them in one column on narrow screens.
    void mainForm(const FormDesign &form, std::span<const design::mainform::BlockDesign> blocks)
    {
        css_.form(form);
        Controls controls(form);
        std::vector<std::vector<std::vector<Row>>> rows; // block, section, row
        for (const auto &block : blocks) {
            rows.emplace_back();
            for (const auto &section : block.sections) {
                rows.back().emplace_back();
                for (const auto &r : section.rows) {
                    const calculator::FieldInfo &f = calculator::info(r.field);
                    const ControlDesign &field =
                        controls.take(f.controlName, f.index, ControlKind::Field);
                    const ControlDesign &label = controls.label(r.label);
                    if (label.text != f.label)
                        throw Refusal(nameOf(label) + " does not name " + nameOf(field));
                    const ControlDesign *unit = r.unit < 0 ? nullptr : &controls.label(r.unit);
                    if ((unit ? unit->text : std::string_view()) != f.unit)
                        throw Refusal("the unit of " + nameOf(field) + " is not its field's");
                    rows.back().back().push_back(
                        {&field, &label, unit, &f, idOf(form.name, field) + "-row"});
                }
            }
        }

        // The point that numbers are read with, the comma that typed stands for it, and the
        // screens too narrow for the window.
        html_ << "<main id=\"" << form.name << "\" class=\"form\" data-point=\""
              << calculator::kDecimalPoint << "\" data-typed-comma=\"" << calculator::kTypedComma
              << "\" data-narrow=\"" << narrow_ << "\">\n<h1 class=\"caption\">"
              << escaped(form.caption) << "</h1>\n";
        focusOrder(form, rows);

        int gridRow = 1;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const ControlDesign &letter = controls.label(blocks[b].letter);
            const std::string blockId = std::string(form.name) + "-" + std::string(letter.text);
            const std::string letterId = idOf(form.name, letter);
            css_.control(form, letter);
            int blockRows = 1;
            for (const auto &section : rows[b])
                blockRows += 1 + static_cast<int>(section.size());
            css_.row(blockId, gridRow, blockRows);
            html_ << "<section id=\"" << blockId << "\" class=\"block\" aria-labelledby=\""
                  << letterId << "\">\n<h2 id=\"" << letterId << "\" class=\"letter\">"
                  << escaped(letter.text) << "</h2>\n";
            int inBlock = 2; // the letter takes the block's first row
            for (std::size_t s = 0; s < rows[b].size(); ++s) {
                const ControlDesign &heading = controls.label(blocks[b].sections[s].heading);
                const std::string headingId = idOf(form.name, heading);
                const std::string sectionId = blockId + "-" + std::to_string(s + 1);
                css_.control(form, heading);
                const int span = 1 + static_cast<int>(rows[b][s].size());
                css_.row(sectionId, inBlock, span);
                std::string owned;
                for (const Row &row : rows[b][s]) {
                    if (!owned.empty())
                        owned += ' ';
                    owned += row.id;
                    css_.row(row.id, gridRow + inBlock + static_cast<int>(&row - &rows[b][s][0]));
                }
                html_ << "<section id=\"" << sectionId << "\" class=\"section\" aria-labelledby=\""
                      << headingId << " " << letterId << "\" aria-owns=\"" << owned
                      << "\">\n<h3 id=\"" << headingId << "\">" << escaped(heading.text)
                      << "</h3>\n</section>\n";
                inBlock += span;
            }
            html_ << "</section>\n";
            gridRow += blockRows;
        }

        for (const ControlDesign &c : form.controls)
            if (c.kind == ControlKind::Line) {
                css_.control(form, c);
                html_ << "<div class=\"line\" id=\"" << idOf(form.name, c) << "\"></div>\n";
            }
        controls.checkAllTaken();
        html_ << "</main>\n";
    }

    // The information windows, shown beside the main window; on a phone, as sheets one above the
    // other over the main window's buttons.
    void infoForms(std::span<const FormDesign *const> forms)
    {
        html_ << "<div class=\"sheets\">\n";
        for (const FormDesign *form : forms)
            infoForm(*form);
        html_ << "</div>\n";
    }

    std::string text() const { return html_.str(); }

  private:
    // The rows and buttons in the window's focus order; the buttons, which follow one another
    // in it, as one bar.
    void focusOrder(const FormDesign &form, const std::vector<std::vector<std::vector<Row>>> &rows)
    {
        std::vector<std::pair<int, const Row *>> fields;
        for (const auto &block : rows)
            for (const auto &section : block)
                for (const Row &row : section)
                    fields.emplace_back(row.field->tabIndex, &row);
        std::vector<const ControlDesign *> buttons;
        for (const ControlDesign &c : form.controls)
            if (c.kind == ControlKind::Button)
                buttons.push_back(&c);
        std::sort(fields.begin(), fields.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        std::sort(buttons.begin(), buttons.end(),
                  [](const ControlDesign *a, const ControlDesign *b) {
                      return a->tabIndex < b->tabIndex;
                  });
        for (std::size_t i = 1; i < buttons.size(); ++i)
            if (buttons[i]->tabIndex != buttons[i - 1]->tabIndex + 1)
                throw Refusal("the buttons " + nameOf(*buttons[i - 1]) + " and " +
                              nameOf(*buttons[i]) +
                              " do not follow one another in the focus order");
        bool barWritten = buttons.empty();
        for (const auto &[tabIndex, row] : fields) {
            if (tabIndex < 0)
                throw Refusal(nameOf(*row->field) + " has no place in the focus order");
            if (!barWritten && buttons.front()->tabIndex < tabIndex) {
                commandBar(form, buttons);
                barWritten = true;
            }
            writeRow(form, *row, tabIndex == 0);
        }
        if (!barWritten)
            commandBar(form, buttons);
    }

    void commandBar(const FormDesign &form, const std::vector<const ControlDesign *> &buttons)
    {
        html_ << "<div class=\"commands\">\n";
        for (const ControlDesign *c : buttons) {
            css_.control(form, *c);
            html_ << "<button type=\"button\" id=\"" << idOf(form.name, *c) << "\">"
                  << escaped(c->text) << "</button>\n";
        }
        html_ << "</div>\n";
    }

    // A field with its label and unit. The fields take numbers: a phone offers its decimal keys,
    // whose comma the page types as the point that numbers are read with.
    void writeRow(const FormDesign &form, const Row &row, bool first)
    {
        const ControlDesign &field = *row.field;
        css_.control(form, field);
        css_.control(form, *row.label);
        const std::string fieldId = idOf(form.name, field);
        html_ << "<div id=\"" << row.id << "\" class=\"row\">\n<label id=\""
              << idOf(form.name, *row.label) << "\" for=\"" << fieldId << "\">"
              << escaped(row.label->text) << "</label>\n<span class=\"entry\">\n<input id=\""
              << fieldId << "\" data-field=\"" << static_cast<int>(row.info->field)
              << "\" type=\"text\" value=\"" << escaped(field.text)
              << "\" inputmode=\"decimal\" enterkeyhint=\"next\" autocomplete=\"off\" "
                 "autocapitalize=\"off\" autocorrect=\"off\" spellcheck=\"false\""
              << (first ? " autofocus" : "")
              << (field.toolTip.empty() ? "" : " title=\"" + escaped(field.toolTip) + "\"")
              << (row.unit ? " aria-describedby=\"" + idOf(form.name, *row.unit) + "\"" : "")
              << (row.info->direction == calculator::Direction::Output ? " class=\"output\"" : "")
              << ">\n";
        if (row.unit) {
            css_.control(form, *row.unit);
            html_ << "<span id=\"" << idOf(form.name, *row.unit) << "\" class=\"unit\">"
                  << escaped(row.unit->text) << "</span>\n";
        }
        html_ << "</span>\n</div>\n";
    }

    // An information window: a dialog with the window's caption as its title and its controls
    // in their order of focus; the About window also names the release's version.
    void infoForm(const FormDesign &form)
    {
        css_.form(form);
        const std::string caption = std::string(form.name) + "-caption";
        html_ << "<dialog id=\"" << form.name << "\" class=\"form info\" aria-labelledby=\""
              << caption << "\">\n<h2 id=\"" << caption << "\" class=\"caption\">"
              << escaped(form.caption) << "</h2>\n<div class=\"client\">\n";
        for (const ControlDesign &c : form.controls) {
            css_.control(form, c);
            const std::string id = idOf(form.name, c);
            switch (c.kind) {
            case ControlKind::Button:
                html_ << "<button type=\"button\" id=\"" << id << "\" class=\"ok\">"
                      << escaped(c.text) << "</button>\n";
                break;
            case ControlKind::TextBox:
                // Reached by a click, not by Tab; the program's text again at every opening.
                // A phone shows it without its keyboard.
                html_ << "<textarea id=\"" << id
                      << "\" tabindex=\"-1\" inputmode=\"none\" aria-label=\""
                      << escaped(form.caption) << "\" spellcheck=\"false\""
                      << (c.scrollBars ? "" : " class=\"no-scroll\"") << ">" << escaped(c.text)
                      << "</textarea>\n";
                break;
            case ControlKind::Label:
                html_ << "<p id=\"" << id << "\" class=\"label\">" << escaped(c.text) << "</p>\n";
                break;
            case ControlKind::Picture:
                html_ << "<div id=\"" << id << "\" class=\"picture\""
                      << (c.tabIndex >= 0 ? " tabindex=\"0\"" : "")
                      << "><img src=\"author.png\" width=\"" << design::authorform::kPictureWidth
                      << "\" height=\"" << design::authorform::kPictureHeight
                      << "\" loading=\"lazy\" alt=\"" << escaped(c.description) << "\"></div>\n";
                break;
            case ControlKind::Field:
            case ControlKind::Line:
                throw Refusal(nameOf(c) + ": an information window shows no fields or lines");
            }
        }
        html_ << "</div>\n";
        if (form.name == design::aboutform::kForm.name)
            html_ << "<p class=\"version\">Версия " << escaped(version_) << "</p>\n";
        html_ << "</dialog>\n";
    }

    StyleSheet &css_;
    std::string_view version_;
    std::string narrow_;
    std::ostringstream html_;
};

// A template with each of its placeholders filled in wherever it stands; a placeholder that the
// template lacks is refused.
std::string filled(std::string_view what, std::string text,
                   std::initializer_list<std::pair<std::string_view, std::string>> values)
{
    for (const auto &[name, value] : values) {
        std::size_t at = text.find(name);
        if (at == std::string::npos)
            throw Refusal("the " + std::string(what) + " lacks " + std::string(name));
        for (; at != std::string::npos; at = text.find(name, at + value.size()))
            text.replace(at, name.size(), value);
    }
    return text;
}

} // namespace

Site generate(const design::FormDesign &mainForm,
              std::span<const design::mainform::BlockDesign> blocks,
              std::span<const design::FormDesign *const> infoForms, const Templates &templates,
              std::string_view version)
{
    const int wideFrom = design::twips(mainForm.clientWidth);
    const std::string wide = "(min-width: " + std::to_string(wideFrom) + "px)";
    const std::string narrow = "(max-width: " + std::to_string(wideFrom - 1) + ".98px)";
    StyleSheet css;
    Page page(css, version, narrow);
    page.mainForm(mainForm, blocks);
    page.infoForms(infoForms);
    const std::string background = hexOf(mainForm.background.rgb);
    Site site;
    site.index = filled("shell", templates.shell,
                        {{"@TITLE@", escaped(mainForm.caption)},
                         {"@VERSION@", escaped(version)},
                         {"@BACKGROUND@", background},
                         {"@WINDOWS@", page.text()}});
    site.designCss = css.text(wide, narrow);
    site.pageCss = filled("layout", templates.layout, {{"(--wide)", wide}, {"(--narrow)", narrow}});
    site.manifest = filled("manifest", templates.manifest, {{"@BACKGROUND@", background}});
    return site;
}

} // namespace generator

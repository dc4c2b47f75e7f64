// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the web page's markup and design style sheet from the windows' designs and the field
// table, so that no label, unit, default text, caption, colour or place is written a second
// time for the page:
//   generate OUT/index.html OUT/design.css
// The markup is semantic HTML (a label for every field, buttons, headings for the blocks and
// their sections, dialogs for the information windows); the style sheet holds the design's
// colours as custom properties and, for screens as wide as the window, every control's place.

#include "calculator/fields.h"
#include "design/infoforms.h"
#include "design/mainform.h"
#include "design/schema.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

// The custom property that holds a design colour: the system colours by their role, an RGB
// colour by its value.
std::string colorProperty(const DesignColor &color)
{
    if (color.kind == DesignColor::Kind::System) {
        switch (color.system) {
        case design::SystemColor::Desktop:
            return "--system-desktop";
        case design::SystemColor::WindowBackground:
            return "--system-window-background";
        case design::SystemColor::WindowText:
            return "--system-window-text";
        case design::SystemColor::ButtonText:
            return "--system-button-text";
        }
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "--rgb-%06x", color.rgb & 0xffffffu);
    return hex;
}

std::string hexOf(std::uint32_t rgb)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06x", rgb & 0xffffff);
    return hex;
}

// The system colours as the program shows them outside Windows, whatever the desktop theme
// (ui::systemColor): black desktop and texts, white window background.
constexpr std::pair<design::SystemColor, std::uint32_t> kSystemColors[] = {
    {design::SystemColor::Desktop, 0x000000},
    {design::SystemColor::WindowBackground, 0xffffff},
    {design::SystemColor::WindowText, 0x000000},
    {design::SystemColor::ButtonText, 0x000000},
};

class StyleSheet {
  public:
    // A rule giving a control its colours, font and (on wide screens) its place.
    void control(std::string_view formName, const ControlDesign &c)
    {
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
                    << "px; width: " << x2 - x1 + 1 << "px; height: " << y2 - y1 + 1 << "px; }\n";
        } else {
            places_ << "  #" << idOf(formName, c) << " { left: " << pixels(p.left)
                    << "; top: " << pixels(p.top) << "; width: " << pixels(p.width)
                    << "; height: " << pixels(p.height) << "; }\n";
        }
    }

    void form(const FormDesign &f)
    {
        rules_ << "#" << f.name << " { --form-background: var(" << use(f.background)
               << "); --form-width: " << pixels(f.clientWidth)
               << "; --form-height: " << pixels(f.clientHeight)
               << "; --form-left: " << pixels(f.left) << "; --form-top: " << pixels(f.top)
               << "; }\n";
    }

    std::string text(int wideFrom) const
    {
        std::ostringstream out;
        out << "/* Generated from the windows' designs: do not edit. */\n\n:root {\n";
        out << "  --font-sans: " << families(design::kSansFamilies) << ", sans-serif;\n";
        out << "  --font-serif: " << families(design::kSerifFamilies) << ", serif;\n";
        for (const auto &[name, value] : properties_)
            out << "  " << name << ": " << value << ";\n";
        out << "}\n\n"
            << rules_.str() << "\n@media (min-width: " << wideFrom << "px) {\n"
            << places_.str() << "}\n";
        return out.str();
    }

  private:
    static std::string families(std::span<const std::string_view> names)
    {
        std::string list;
        for (const std::string_view name : names)
            list += (list.empty() ? "\"" : ", \"") + std::string(name) + "\"";
        return list;
    }

    std::string use(const DesignColor &color)
    {
        const std::string name = colorProperty(color);
        std::uint32_t value = color.rgb;
        if (color.kind == DesignColor::Kind::System)
            for (const auto &[which, rgb] : kSystemColors)
                if (which == color.system)
                    value = rgb;
        properties_[name] = hexOf(value);
        return name;
    }

    std::map<std::string, std::string> properties_;
    std::ostringstream rules_;
    std::ostringstream places_;
};

struct Rect {
    int left, top, right, bottom;
    bool holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Rect rectOf(const ControlDesign &c)
{
    return {c.place.left, c.place.top, c.place.left + c.place.width, c.place.top + c.place.height};
}

// The main window's blocks and their sections, found from its frame lines: a block is the
// rectangle that its top edge spans down to the bottom of the frame, its sections lie between
// the dividers across it.
struct Section {
    int top, bottom;
    std::vector<const ControlDesign *> controls;
};
struct Block {
    Rect frame;
    const ControlDesign *letter = nullptr; // the block letter above it
    std::vector<Section> sections;
};

std::vector<Block> blocksOf(std::span<const ControlDesign> controls)
{
    std::vector<const ControlDesign *> horizontal;
    int frameTop = 1 << 30, frameBottom = 0;
    for (const ControlDesign &c : controls) {
        if (c.kind != ControlKind::Line)
            continue;
        if (c.place.height == 0) {
            horizontal.push_back(&c);
            frameTop = std::min(frameTop, c.place.top);
        } else {
            frameBottom = std::max(frameBottom, c.place.top + c.place.height);
        }
    }
    std::vector<Block> blocks;
    for (const ControlDesign *line : horizontal)
        if (line->place.top == frameTop)
            blocks.push_back(
                {{line->place.left, frameTop, line->place.left + line->place.width, frameBottom},
                 nullptr,
                 {}});
    std::sort(blocks.begin(), blocks.end(),
              [](const Block &a, const Block &b) { return a.frame.left < b.frame.left; });
    for (Block &block : blocks) {
        std::vector<int> cuts{block.frame.top};
        for (const ControlDesign *line : horizontal)
            if (line->place.top > block.frame.top && line->place.top < block.frame.bottom &&
                line->place.left == block.frame.left)
                cuts.push_back(line->place.top);
        cuts.push_back(block.frame.bottom);
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t i = 1; i < cuts.size(); ++i)
            block.sections.push_back({cuts[i - 1], cuts[i], {}});
    }
    for (const ControlDesign &c : controls) {
        if (c.kind == ControlKind::Line || c.kind == ControlKind::Button)
            continue;
        const Rect r = rectOf(c);
        for (Block &block : blocks) {
            if (r.left < block.frame.left || r.left > block.frame.right)
                continue;
            if (r.top < block.frame.top) {
                block.letter = &c;
                break;
            }
            for (Section &s : block.sections)
                if (r.top >= s.top && r.top < s.bottom)
                    s.controls.push_back(&c);
            break;
        }
    }
    for (Block &block : blocks)
        for (Section &s : block.sections)
            std::stable_sort(s.controls.begin(), s.controls.end(),
                             [](const ControlDesign *a, const ControlDesign *b) {
                                 return a->place.top < b->place.top;
                             });
    return blocks;
}

// The position in the window's focus order as an HTML tabindex (from 1), or nothing.
std::string tabIndexAttribute(const ControlDesign &c)
{
    return c.tabIndex >= 0 ? " tabindex=\"" + std::to_string(c.tabIndex + 1) + "\"" : "";
}

const calculator::FieldInfo *fieldOf(const ControlDesign &c)
{
    for (const calculator::FieldInfo &f : calculator::kFields)
        if (f.controlName == c.name && f.index == c.index)
            return &f;
    return nullptr;
}

class Page {
  public:
    explicit Page(StyleSheet &css) : css_(css) {}

    void mainForm(const FormDesign &form)
    {
        css_.form(form);
        html_ << "<main id=\"" << form.name << "\" class=\"form\">\n"
              << "<h1 class=\"caption\">" << escaped(form.caption) << "</h1>\n";
        html_ << "<div class=\"commands\">\n";
        for (const ControlDesign &c : form.controls)
            if (c.kind == ControlKind::Button) {
                css_.control(form.name, c);
                html_ << "<button type=\"button\" id=\"" << idOf(form.name, c) << "\""
                      << tabIndexAttribute(c) << ">" << escaped(c.text) << "</button>\n";
            }
        html_ << "</div>\n";

        for (const Block &block : blocksOf(form.controls)) {
            const std::string heading = idOf(form.name, *block.letter);
            css_.control(form.name, *block.letter);
            html_ << "<section class=\"block\" aria-labelledby=\"" << heading << "\">\n<h2 id=\""
                  << heading << "\" class=\"letter\">" << escaped(block.letter->text) << "</h2>\n";
            for (const Section &s : block.sections)
                section(form, s);
            html_ << "</section>\n";
        }

        for (const ControlDesign &c : form.controls)
            if (c.kind == ControlKind::Line) {
                css_.control(form.name, c);
                html_ << "<div class=\"line\" id=\"" << idOf(form.name, c) << "\"></div>\n";
            }
        html_ << "</main>\n";
    }

    // An information window: a dialog with the window's caption as its title and its
    // controls in their order of focus.
    void infoForm(const FormDesign &form)
    {
        css_.form(form);
        const std::string caption = std::string(form.name) + "-caption";
        html_ << "<dialog id=\"" << form.name << "\" class=\"form info\" aria-labelledby=\""
              << caption << "\">\n<h2 id=\"" << caption << "\" class=\"caption\">"
              << escaped(form.caption) << "</h2>\n<div class=\"client\">\n";
        for (const ControlDesign &c : form.controls) {
            css_.control(form.name, c);
            const std::string id = idOf(form.name, c);
            switch (c.kind) {
            case ControlKind::Button:
                html_ << "<button type=\"button\" id=\"" << id << "\" class=\"ok\">"
                      << escaped(c.text) << "</button>\n";
                break;
            case ControlKind::TextBox:
                // Reached by a click, not by Tab; the program's text again at every opening.
                html_ << "<textarea id=\"" << id << "\" tabindex=\"-1\" aria-label=\""
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
                      << "><img src=\"author.png\" width=\"189\" height=\"204\" loading=\"lazy\" "
                         "alt=\""
                      << escaped(c.description) << "\"></div>\n";
                break;
            case ControlKind::Field:
            case ControlKind::Line:
                break;
            }
        }
        html_ << "</div>\n</dialog>\n";
    }

    std::string text() const { return html_.str(); }

  private:
    void section(const FormDesign &form, const Section &s)
    {
        // The rows: each field with the label that names it and the unit beside it.
        std::vector<const ControlDesign *> fields, labels;
        for (const ControlDesign *c : s.controls)
            (c->kind == ControlKind::Field ? fields : labels).push_back(c);
        std::vector<const ControlDesign *> used;
        const auto take = [&](std::string_view text, int top) -> const ControlDesign * {
            for (const ControlDesign *l : labels)
                if (l->text == text && (top < 0 || l->place.top == top) &&
                    std::find(used.begin(), used.end(), l) == used.end()) {
                    used.push_back(l);
                    return l;
                }
            return nullptr;
        };
        std::ostringstream rows;
        for (const ControlDesign *field : fields) {
            const calculator::FieldInfo *f = fieldOf(*field);
            const ControlDesign *label = take(f->label, -1);
            const ControlDesign *unit = f->unit.empty() ? nullptr : take(f->unit, label->place.top);
            css_.control(form.name, *field);
            css_.control(form.name, *label);
            rows << "<div class=\"row\">\n<label id=\"" << idOf(form.name, *label) << "\" for=\""
                 << idOf(form.name, *field) << "\">" << escaped(label->text)
                 << "</label>\n<input id=\"" << idOf(form.name, *field) << "\" data-field=\""
                 << static_cast<int>(f->field) << "\" type=\"text\" value=\""
                 << escaped(field->text)
                 << "\" inputmode=\"text\" autocomplete=\"off\" autocapitalize=\"off\" "
                    "autocorrect=\"off\" spellcheck=\"false\""
                 << tabIndexAttribute(*field) << (field->tabIndex == 0 ? " autofocus" : "")
                 << (field->toolTip.empty() ? "" : " title=\"" + escaped(field->toolTip) + "\"")
                 << (unit ? " aria-describedby=\"" + idOf(form.name, *unit) + "\"" : "")
                 << (f->direction == calculator::Direction::Output ? " class=\"output\"" : "")
                 << ">\n";
            if (unit) {
                css_.control(form.name, *unit);
                rows << "<span id=\"" << idOf(form.name, *unit) << "\" class=\"unit\">"
                     << escaped(unit->text) << "</span>\n";
            }
            rows << "</div>\n";
        }
        // What is left is the section's heading.
        const ControlDesign *heading = nullptr;
        for (const ControlDesign *l : labels)
            if (std::find(used.begin(), used.end(), l) == used.end())
                heading = l;
        css_.control(form.name, *heading);
        html_ << "<section class=\"section\" aria-labelledby=\"" << idOf(form.name, *heading)
              << "\">\n<h3 id=\"" << idOf(form.name, *heading) << "\">" << escaped(heading->text)
              << "</h3>\n"
              << rows.str() << "</section>\n";
    }

    StyleSheet &css_;
    std::ostringstream html_;
};

// The page around the forms. The release id is put in when the site is put together.
std::string document(const FormDesign &main, const std::string &body)
{
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<!-- Generated from the windows' designs: do not edit. -->\n"
           "<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; "
           "script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; "
           "connect-src 'self'; worker-src 'self'; manifest-src 'self'; object-src 'none'; "
           "base-uri 'none'; form-action 'none'\">\n"
           "<meta name=\"release\" content=\"@RELEASE@\">\n"
           "<meta name=\"theme-color\" content=\"#000000\">\n"
        << "<title>" << escaped(main.caption) << "</title>\n"
        << "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
           "<link rel=\"icon\" href=\"icons/ddvelmor-32.png\" sizes=\"32x32\">\n"
           "<link rel=\"apple-touch-icon\" href=\"icons/ddvelmor-180.png\">\n"
           "<link rel=\"stylesheet\" href=\"design.css\">\n"
           "<link rel=\"stylesheet\" href=\"page.css\">\n"
           "<link rel=\"modulepreload\" href=\"ddvelmor-core.mjs\">\n"
           "<link rel=\"preload\" href=\"ddvelmor-core.wasm\" as=\"fetch\" "
           "type=\"application/wasm\" "
           "crossorigin>\n"
           "<script type=\"module\" src=\"page.js\"></script>\n"
           "</head>\n<body>\n"
        << body
        << "<dialog id=\"box\" class=\"box\" role=\"alertdialog\" aria-labelledby=\"box-title\" "
           "aria-describedby=\"box-prompt\">\n<h2 id=\"box-title\" class=\"caption\"></h2>\n"
           "<p id=\"box-prompt\"></p>\n<button type=\"button\" class=\"ok\">OK</button>\n"
           "</dialog>\n</body>\n</html>\n";
    return out.str();
}

bool write(const char *path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " OUT/index.html OUT/design.css\n";
        return 2;
    }
    StyleSheet css;
    Page page(css);
    page.mainForm(design::mainform::kForm);
    page.infoForm(design::aboutform::kForm);
    page.infoForm(design::authorform::kForm);
    const int wideFrom = design::twips(design::mainform::kForm.clientWidth);
    return write(argv[1], document(design::mainform::kForm, page.text())) &&
                   write(argv[2], css.text(wideFrom))
               ? 0
               : 1;
}

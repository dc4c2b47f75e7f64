// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the web page's files that come from the windows' designs:
//   ddv_page_generator PAGE OUT
// reads shell.html, page.css and manifest.webmanifest from PAGE and writes index.html,
// design.css, page.css and manifest.webmanifest into OUT.

#include "page.h"

#include "design/infoforms.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw generator::Refusal("cannot read " + path.string());
    return text.str();
}

void write(const std::filesystem::path &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out)
        throw generator::Refusal("cannot write " + path.string());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " PAGE OUT\n";
        return 2;
    }
    try {
        const std::filesystem::path page = argv[1], out = argv[2];
        const design::FormDesign *info[] = {&design::aboutform::kForm, &design::authorform::kForm};
        const generator::Site site =
            generator::generate(design::mainform::kForm, design::mainform::kBlocks, info,
                                {readFile(page / "shell.html"), readFile(page / "page.css"),
                                 readFile(page / "manifest.webmanifest")},
                                DDV_VERSION);
        write(out / "index.html", site.index);
        write(out / "design.css", site.designCss);
        write(out / "page.css", site.pageCss);
        write(out / "manifest.webmanifest", site.manifest);
    } catch (const generator::Refusal &refusal) {
        std::cerr << argv[0] << ": " << refusal.what() << "\n";
        return 1;
    }
    return 0;
}

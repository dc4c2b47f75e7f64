// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Replays the committed fuzz seeds and the inputs that once broke something through the same
// checks the fuzz targets make, so that every build keeps them passing, not only the clang
// build that runs the fuzzers.

#include "invariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsOf(const std::string &target)
{
    std::vector<fs::path> files;
    for (const char *kind : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(DDV_FUZZ_INPUTS_DIR) / kind / target;
        if (!fs::is_directory(dir))
            continue;
        for (const fs::directory_entry &entry : fs::directory_iterator(dir))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string contents(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void replay(const std::string &target, hostile::Problems (*check)(std::string_view),
            std::size_t atLeast)
{
    const std::vector<fs::path> files = inputsOf(target);
    ASSERT_GE(files.size(), atLeast) << "the committed inputs of " << target << " are missing";
    for (const fs::path &file : files) {
        const hostile::Problems problems = check(contents(file));
        std::string text;
        for (const std::string &problem : problems)
            text += "\n  " + problem;
        EXPECT_TRUE(problems.empty()) << file.filename() << text;
    }
}

TEST(FuzzInputs, NumberConversionsPassOnEveryCommittedInput)
{
    replay("readnumber", hostile::checkNumberInput, 60);
}

TEST(FuzzInputs, CalculatePassesOnEveryCommittedInput)
{
    replay("calculate", hostile::checkCalculateInput, 30);
}

} // namespace

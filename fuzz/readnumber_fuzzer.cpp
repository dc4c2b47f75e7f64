// Any bytes as a field text: readNumber must agree with the reference reader to the last
// bit, never read past the text and fail only with an overflow, and what it reads must show
// as a number that reads back (see hostile::checkNumberInput). A failed check aborts, which
// libFuzzer records as a crash together with the input.

#include "tests/hostile/invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Handed over without a terminating zero, so a read past the end is a heap overflow.
    const hostile::Problems problems =
        hostile::checkNumberInput({reinterpret_cast<const char *>(data), size});
    for (const std::string &problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty())
        std::abort();
    return 0;
}

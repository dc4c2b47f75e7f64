// Any field texts, one a line (see hostile::parseCalculateInput): the Calculate command must
// end, write only finite numbers that read back, stop at the failing step and show only its
// documented boxes, and both wire checks must judge their field as the reference reader does
// (see hostile::checkCalculateInput). A failed check aborts, which libFuzzer records as a
// crash together with the input; a run that does not end is recorded as a timeout.

#include "tests/hostile/invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const hostile::Problems problems =
        hostile::checkCalculateInput({reinterpret_cast<const char *>(data), size});
    for (const std::string &problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty())
        std::abort();
    return 0;
}

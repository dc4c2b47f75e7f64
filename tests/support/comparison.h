// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the comparisons of the number core with independent references share: a seeded
// generator, so that every machine draws the same arguments, and a tally of the arguments on
// which the product and the reference differ, which shows the first few in full and counts
// the rest, so that a fault that breaks every argument does not flood the log.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace testing_support {

// splitmix64: the same sequence on every machine and with every standard library.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = state_ += 0x9E3779B97F4A7C15u;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    // A whole number from low to high, both included.
    long long between(long long low, long long high)
    {
        return low + static_cast<long long>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

    // A double in [0, 1) with 53 random bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }

  private:
    std::uint64_t state_;
};

// A double written exactly, in hexadecimal.
inline std::string hex(double x)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%a", x);
    return buffer;
}

class Mismatches {
  public:
    void add(const std::string &description)
    {
        if (++count_ <= 10)
            ADD_FAILURE() << description;
    }
    long long count() const { return count_; }

  private:
    long long count_ = 0;
};

} // namespace testing_support

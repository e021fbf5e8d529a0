// Rows of arguments for the range calculation, chosen where a wrong
// precision, a swapped check or an off-by-one would show: each family aims at
// one kind of edge. The rows are seeded and the same on every ABI.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "calc/checked.h"
#include "tests/support/random.h"

namespace kelmora::reference {

struct Row {
  Int16 StatVal;
  Int16 StatC;
  Float32 StatM;
  Int16 Level;
};
std::ostream& operator<<(std::ostream& os, const Row& row);

// Every combination of the edge values of each argument: the integer bounds
// and one past them, zeros, C-value -1 and -2, StatC + Level at 0 and at the
// Int16 bounds, levels 1, 0 and negative, multipliers from 0 and the
// smallest subnormal to the largest single. Where the checks meet, their order shows.
std::vector<Row> EdgeValueRows();

// p within a hair of a half-integer, or exactly on one (ties to even).
std::vector<Row> HalfIntegerPRows(Random& random, std::size_t count);
// StatVal / StatM within a hair of the halfway point between two singles.
std::vector<Row> SingleHalfwayQuotientRows(Random& random, std::size_t count);
// (StatC + 1) / (StatC + Level) near the halfway point between two doubles,
// with p near a half-integer too.
std::vector<Row> DoubleHalfwayRatioRows(Random& random, std::size_t count);
// p next to ±2^31 (for the minimum's count or the maximum's), and counts
// next to the largest multiple of StatC + 1 below 2^31, where the round-up
// stops fitting.
std::vector<Row> Int32EndRows(Random& random, std::size_t count);
// Anything at all.
std::vector<Row> RandomRows(Random& random, std::size_t count);

}  // namespace kelmora::reference

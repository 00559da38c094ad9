// The computer turn's two working tables and the orders it puts them in. Both are ordered by
// adjacent exchanges, pass after pass until a pass exchanges nothing, with events handled after
// every pass; the second ordering of each is not a strict order, so the passes themselves decide
// the result (a general-purpose sort would order differently).
#pragma once

#include <vector>

namespace zarnath {
class Game;

// A target of one own world, in single precision as the turn keeps it.
struct CandidateRow {
  float source = 0, target = 0, years = 0;
  int richness = 0;  // the source world's production x class, filled in by OrderCandidates
};

// An own world and how quickly foreign worlds can reach it (small = exposed).
struct ExposureRow {
  float world = 0, exposure = 0;
};

// Nearest targets first, equal times from the richer source world (production x class) first;
// then, among targets within a tenth of a year of each other, the richer source first.
void OrderCandidates(Game& g, std::vector<CandidateRow>& rows);

// Most exposed first; then, among worlds within a tenth of each other's exposure, the more
// valuable (code / 2 + class), and of equal value the more productive, first.
void OrderExposure(Game& g, std::vector<ExposureRow>& rows);

// A world's value to the gathering: its code / 2 + its class.
double WorldValue(const Game& g, int world);

}  // namespace zarnath

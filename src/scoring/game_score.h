#pragma once
// The game's own score: current score per slot and the final score of slot 0, plus the Ladder's
// component function.

#include <cstdint>

namespace vsl {

struct ScoreWeights {
  int32_t Pop = 5000, Land = 2000, Tech = 2000, Wonder = 1000;
};

// The save's normalisers and their starting values.
struct ScoreReference {
  int32_t MaxPop = 0, MaxLand = 0, MaxTech = 0, MaxWonder = 0;
  int32_t InitPop = 0, InitLand = 0, InitTech = 0, InitWonder = 0;
};

// The four score values of one slot.
struct SlotScores {
  int32_t Pop = 0, Land = 0, Tech = 0, Wonder = 0;
};

// Real power with the game's rules; a negative base with a non-integral exponent throws MathError.
long double Power(long double base, long double exponent);

int32_t gScore(int32_t value, int32_t maximum, int32_t weight);
int32_t fScore(int32_t value, int32_t initial, double multiplier, int32_t limit, int32_t turn, int32_t weight,
               int32_t maximum);
int32_t cScore(int32_t factor, int32_t turn, int32_t limit, double base, double value);

// Current score of a slot: 0 when it is not alive.
int32_t gPlayerScore(const SlotScores& s, int32_t alive, const ScoreReference& ref, const ScoreWeights& w);

// Final score of slot 0.
int32_t ScoreCalc(const SlotScores& slot0, const ScoreReference& ref, double levelScoreFactor,
                  int32_t endTurn, int32_t gameTurn, const ScoreWeights& w);

}  // namespace vsl

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
// The Ladder's component: factor x value / t, rounded, with t = base ^ (turn / limit) the target the
// value is measured against at that turn (limit 1200 when not positive); -1 when t is not positive.
int32_t cScore(int32_t factor, int32_t turn, int32_t limit, double base, double value);
// The target t of cScore, and the component for a given target.
double cScoreTarget(int32_t turn, int32_t limit, double base);
int32_t cScoreAt(int32_t factor, double value, double target);

// The turn limit of the final score and the Ladder when a save or the user gives no positive end turn.
inline constexpr int32_t kDefaultTurnLimit = 1200;

// Current score of a slot: 0 when it is not alive.
int32_t gPlayerScore(const SlotScores& s, int32_t alive, const ScoreReference& ref, const ScoreWeights& w);

// Final score of slot 0.
int32_t ScoreCalc(const SlotScores& slot0, const ScoreReference& ref, double levelScoreFactor,
                  int32_t endTurn, int32_t gameTurn, const ScoreWeights& w);

}  // namespace vsl

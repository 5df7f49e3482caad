// The game's own score and the Ladder's component function. Quotients are taken in extended precision
// (long double); a value held in a double variable is rounded to double at that point, so the results
// agree to the last unit with the game's own figures.

#include "scoring/game_score.h"

#include <cmath>
#include <cstdint>

#include "scoring/convert.h"
#include "scoring/errors.h"

namespace vsl {

namespace {

// base multiplied by itself |n| times, the reciprocal for a negative n.
long double RepeatedProduct(long double base, int64_t n) {
  if (base == 0 && n < 0) throw MathError("Floating point division by zero");
  long double result = 1;
  for (int64_t left = n < 0 ? -n : n; left > 0; --left) {
    const long double next = result * base;
    if (std::fabs(next) == std::fabs(result)) {
      // The magnitude is settled (0, infinity or a base of magnitude 1); the steps still to come only
      // flip the sign, once each, when the base is negative.
      result = base < 0 && (left - 1) % 2 != 0 ? -next : next;
      break;
    }
    result = next;
  }
  return n < 0 ? 1 / result : result;
}

}  // namespace

long double Power(long double base, long double exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (std::trunc(exponent) == exponent && std::fabs(exponent) <= INT32_MAX) {
    return RepeatedProduct(base, static_cast<int64_t>(exponent));
  }
  if (base < 0) throw MathError();
  if (base == 0) throw MathError("Floating point division by zero");  // the logarithm of 0
  return std::exp(exponent * std::log(base));
}

int32_t gScore(int32_t value, int32_t maximum, int32_t weight) {
  const double q = maximum > 0 ? static_cast<double>(static_cast<long double>(value) / maximum) : 0.0;
  const double s = static_cast<double>(static_cast<long double>(weight) * q);
  return TruncToInt(s);
}

int32_t fScore(int32_t value, int32_t initial, double multiplier, int32_t limit, int32_t turn, int32_t weight,
               int32_t maximum) {
  if (limit <= 0) limit = kDefaultTurnLimit;
  const long double x = static_cast<long double>(turn) / limit;
  double expected;
  if (initial > 0) {
    // The growth ratio is a whole number: 450 / 100 gives 4.
    const int32_t ratio = TruncToInt(static_cast<long double>(maximum) / initial);
    expected = static_cast<double>(initial * Power(ratio, x));
  } else {
    expected = static_cast<double>(x * maximum);
  }
  double s = 0;
  if (expected > 0) {
    s = static_cast<double>(WrapInt32(int64_t{weight} * value) / static_cast<long double>(expected));
  }
  s = static_cast<double>(static_cast<long double>(s) * multiplier);
  return TruncToInt(s);
}

double cScoreTarget(int32_t turn, int32_t limit, double base) {
  if (limit <= 0) limit = kDefaultTurnLimit;
  return static_cast<double>(Power(base, static_cast<long double>(turn) / limit));
}

int32_t cScoreAt(int32_t factor, double value, double target) {
  if (!(target > 0)) return -1;
  return RoundHalfEven(static_cast<long double>(factor) * value / target);
}

int32_t cScore(int32_t factor, int32_t turn, int32_t limit, double base, double value) {
  return cScoreAt(factor, value, cScoreTarget(turn, limit, base));
}

int32_t gPlayerScore(const SlotScores& s, int32_t alive, const ScoreReference& ref, const ScoreWeights& w) {
  if (alive == 0) return 0;
  int64_t sum = gScore(s.Pop, ref.MaxPop, w.Pop);
  sum += gScore(s.Land, ref.MaxLand, w.Land);
  sum += gScore(s.Tech, ref.MaxTech, w.Tech);
  sum += gScore(s.Wonder, ref.MaxWonder, w.Wonder);
  return WrapInt32(sum);
}

int32_t ScoreCalc(const SlotScores& slot0, const ScoreReference& ref, double levelScoreFactor,
                  int32_t endTurn, int32_t gameTurn, const ScoreWeights& w) {
  int64_t sum = fScore(slot0.Pop, ref.InitPop, levelScoreFactor, endTurn, gameTurn, w.Pop, ref.MaxPop);
  sum += fScore(slot0.Land, ref.InitLand, levelScoreFactor, endTurn, gameTurn, w.Land, ref.MaxLand);
  sum += fScore(slot0.Tech, ref.InitTech, levelScoreFactor, endTurn, gameTurn, w.Tech, ref.MaxTech);
  sum += fScore(slot0.Wonder, ref.InitWonder, levelScoreFactor, endTurn, gameTurn, w.Wonder, ref.MaxWonder);
  return WrapInt32(sum);
}

}  // namespace vsl

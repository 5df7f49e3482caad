#include "scoring/game_score.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scoring/errors.h"

namespace vsl {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(GameScoreTest, PowerRulesInOrder) {
  EXPECT_EQ(Power(0, 0), 1.0L);
  EXPECT_EQ(Power(-3, 0), 1.0L);
  EXPECT_EQ(Power(0, 2.5L), 0.0L);
  EXPECT_EQ(Power(0, 3), 0.0L);
  EXPECT_EQ(Power(20, 2), 400.0L);
  EXPECT_EQ(Power(-2, 3), -8.0L);
  EXPECT_EQ(Power(2, -2), 0.25L);
  EXPECT_NEAR(Power(8, 0.5L), 2.82842712474619009760L, 1e-18L);
  EXPECT_NEAR(Power(400, 0.5L), 20.0L, 1e-17L);
}

TEST(GameScoreTest, PowerFaults) {
  EXPECT_THAT([] { Power(-400, 0.5L); }, ThrowsMessage<MathError>(StrEq("Invalid floating point operation")));
  EXPECT_THAT([] { Power(0, -1); }, ThrowsMessage<MathError>(StrEq("Floating point division by zero")));
  EXPECT_THAT([] { Power(0, -0.5L); }, ThrowsMessage<MathError>(StrEq("Floating point division by zero")));
}

// Whole exponents up to the 32-bit limit finish at once when the magnitude stops changing.
TEST(GameScoreTest, PowerWithHugeWholeExponents) {
  EXPECT_EQ(Power(-1, 2147483647), -1.0L);
  EXPECT_EQ(Power(-1, 2147483646), 1.0L);
  EXPECT_EQ(Power(0.5L, 2147483647), 0.0L);
  EXPECT_EQ(Power(2, 2147483647), INFINITY);
  EXPECT_EQ(Power(-2, 2147483647), -INFINITY);
  EXPECT_EQ(Power(2, -2147483647), 0.0L);
}

TEST(GameScoreTest, CurrentScoreComponent) {
  EXPECT_EQ(gScore(100, 400, 5000), 1250);
  EXPECT_EQ(gScore(100, 0, 5000), 0);
  EXPECT_EQ(gScore(100, -4, 5000), 0);
  EXPECT_EQ(gScore(1, 3, 2000), 666);
  // The quotient comes first and is kept as a double: 15 / 22 times 22 lies just below 15.
  EXPECT_EQ(gScore(15, 22, 22), 14);
  EXPECT_EQ(gScore(INT32_MAX, 1, 5000), -5000);  // 5000 x (2^31 - 1) keeps its low 32 bits
}

TEST(GameScoreTest, FinalScoreComponent) {
  EXPECT_EQ(fScore(100, 50, 1.0, 460, 230, 5000, 400), 3535);  // E = 50 x 8^0.5
  // 1250 x 1.4 is 1749.9999999999998889 in extended precision; kept as a double it is 1750.
  EXPECT_EQ(fScore(100, 50, 1.4, 460, 460, 5000, 400), 1750);
  EXPECT_EQ(fScore(100, 0, 1.0, 460, 230, 5000, 400), 2500);    // E = 0.5 x 400
  EXPECT_EQ(fScore(100, 50, 1.0, 460, 0, 5000, 400), 10000);    // E = initial
  EXPECT_EQ(fScore(100, 50, 1.0, 0, 600, 5000, 400), 3535);     // no end turn counts as 1200
  EXPECT_EQ(fScore(100, 500, 1.0, 460, 230, 5000, 400), 0);     // maximum below initial: r = 0
  EXPECT_EQ(fScore(100, 0, 1.0, 460, 0, 5000, 400), 0);         // E = 0
  EXPECT_EQ(fScore(100, 450, 1.0, 460, 460, 5000, 1000), 555);  // r = Trunc(1000 / 450) = 2: E = 900
}

TEST(GameScoreTest, LadderComponent) {
  EXPECT_EQ(cScore(2500, 230, 460, 400.0, 100.0), 12500);
  EXPECT_EQ(cScore(2500, 0, 460, 400.0, 100.0), 250000);
  EXPECT_EQ(cScore(2500, 460, 460, 400.0, 100.0), 625);
  EXPECT_EQ(cScore(2500, 600, 0, 400.0, 100.0), 12500);  // no limit counts as 1200
  EXPECT_EQ(cScore(2500, 230, 460, 0.0, 100.0), -1);
  EXPECT_EQ(cScore(2500, 0, 460, 0.0, 100.0), 250000);  // 0^0 is 1
  EXPECT_EQ(cScore(2500, 460, 460, -400.0, 100.0), -1);
  EXPECT_EQ(cScore(1, 0, 460, 7.0, 2.5), 2);  // ties to even
  EXPECT_EQ(cScore(1, 0, 460, 7.0, 3.5), 4);
  // 256^0.75 kept as a double is exactly 64, so 2500 x 24 / 64 = 937.5 is a tie and goes to even.
  EXPECT_EQ(cScore(2500, 345, 460, 256.0, 24.0), 938);
  EXPECT_THROW(cScore(2500, 230, 460, -400.0, 100.0), MathError);
}

TEST(GameScoreTest, PlayerScoreSumsTheFourComponentsOfALivingSlot) {
  const ScoreReference ref{.MaxPop = 400, .MaxLand = 200, .MaxTech = 60, .MaxWonder = 4};
  const SlotScores s{.Pop = 100, .Land = 50, .Tech = 30, .Wonder = 1};
  EXPECT_EQ(gPlayerScore(s, 1, ref, ScoreWeights{}), 1250 + 500 + 1000 + 250);
  EXPECT_EQ(gPlayerScore(s, 0, ref, ScoreWeights{}), 0);
}

TEST(GameScoreTest, FinalScoreOfSlotZero) {
  const ScoreReference ref{.MaxPop = 400,
                           .MaxLand = 200,
                           .MaxTech = 60,
                           .MaxWonder = 4,
                           .InitPop = 50,
                           .InitLand = 0,
                           .InitTech = 15,
                           .InitWonder = 0};
  const SlotScores s{.Pop = 400, .Land = 200, .Tech = 60, .Wonder = 4};
  // Every value meets its expectation at the end turn: each category earns its weight times 1.4.
  EXPECT_EQ(ScoreCalc(s, ref, 1.4, 460, 460, ScoreWeights{}), 7000 + 2800 + 2800 + 1400);
  EXPECT_EQ(ScoreCalc(s, ref, 1.0, 460, 230, ScoreWeights{}), 14142 + 4000 + 4000 + 2000);
}

}  // namespace
}  // namespace vsl

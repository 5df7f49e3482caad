#include <gtest/gtest.h>

#include <memory>

#include "app/batch_warnings.h"
#include "app/explanations.h"
#include "gamedata/datetime.h"

namespace vsl {
namespace {

// A model whose row i is dated `dates[i]` at 18:00 and played at speed 2 on a 40x25 map to turn 460.
std::unique_ptr<WindowModel> ModelOf(std::initializer_list<CivilDateTime> dates) {
  auto model = std::make_unique<WindowModel>(std::make_shared<FixedLocaleServices>(','));
  int i = 0;
  for (CivilDateTime date : dates) {
    date.Hour = 18;
    TSaveDataRec& row = model->MutableRow(i++);
    row.FileDate = EncodeDateTime(date);
    row.GameSpeed = 2, row.MapWidth = 40, row.MapHeight = 25, row.EndTurn = 460;
  }
  model->SetSaveCount(i);
  return model;
}

TEST(RefereeNotesTest, BatchWarningsNameTheFilesAndWhatToDo) {
  auto model = ModelOf({{2005, 11, 27}, {2005, 12, 27}, {2005, 12, 28}});
  BatchResult result;
  result.Maxima = MaximaSource{"/s/Clara.Save", "Clara", 2, 40, 25, 460};
  result.LeftOut = 1;
  result.Skipped = {{"/s/a.Save", ""}, {"/s/b.Save", ""}, {"/s/c.Save", ""}, {"/s/d.Save", ""}};
  std::vector<BatchWarning> w = BatchWarnings(*model, result);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(
      w[0].Text,
      "1 file lies outside 27-11-2005 \u2026 27-12-2005: its Play Days is 30. Set the start date on the "
      "Reloads page.");
  EXPECT_EQ(w[1].Text, "1 file beyond the 100th was left out. Load it as another batch.");
  EXPECT_EQ(w[2].Text,
            "4 files skipped as damaged: a.Save, b.Save, c.Save and 1 more. Ask for new copies and load them "
            "again.");

  model->MutableRow(0).EndTurn = 330;
  model->MutableRow(2).GameSpeed = 3;
  model->Edits().Edit2 = "12";  // the tournament starts on 27-12-2005: the first file lies before it
  w = BatchWarnings(*model, BatchResult{3, 0, {}, result.Maxima});
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0].What, BatchWarning::Kind::OutsideTournament);
  EXPECT_EQ(
      w[0].Text,
      "1 file lies outside 27-12-2005 \u2026 26-01-2006: its Play Days is 30. Set the start date on the "
      "Reloads page.");
  EXPECT_EQ(w[1].Text,
            "The Ladder maxima come from Clara (the 460-turn speed, map 40x25, end turn 460); 2 files were "
            "played otherwise. Load each kind of game as a batch of its own, or set the maxima on the Ladder "
            "page.");
}

TEST(RefereeNotesTest, TheAuditExplainsItsNumbers) {
  auto model = ModelOf({{2005, 11, 30}, {2005, 11, 30}, {2005, 12, 31}});
  TSaveDataRec& average = model->MutableRow(0);
  average.PlayTime = 5 * 3600, average.SessionCount = 7, average.ElapsedTurns = 120;
  TSaveDataRec& noReload = model->MutableRow(1);
  noReload.PlayTime = 540, noReload.SessionCount = 1;
  model->MutableRow(2).SessionCount = 1;  // dated outside, no play time
  EXPECT_EQ(AuditExplanation(*model, 0),
            "Reloads: 7 sessions - 1 presession = 6\n"
            "Play Days: 4\n"
            "Allowance by days: 4 days x 1,5 = 6\n"
            "Allowance by time: 5:00:00 / 30 min = 10\n"
            "Max Reloads: the smaller, 6, rounded 6\n"
            "Fair below 4,5 reloads, Average below 7,5, Cheat from 7,5\n"
            "6 reloads: Average");
  EXPECT_EQ(AuditExplanation(*model, 1),
            "Reloads: 1 session - 1 presession = 0\n"
            "Play Days: 4\n"
            "Allowance by days: 4 days x 1,5 = 6\n"
            "Allowance by time: 0:09:00 / 30 min = 0,3\n"
            "Max Reloads: the smaller, 0,3, rounded 0\n"
            "Fair below 0 reloads, Average below 0, Cheat from 0\n"
            "No reload: Fair whatever the allowance");
  const std::string outside = AuditExplanation(*model, 2);
  EXPECT_EQ(outside.substr(outside.find("Play Days")),
            "Play Days: 30 (the file is dated outside the tournament's 31 days from 27-11-2005)\n"
            "Allowance by days: 30 days x 1,5 = 45\n"
            "Allowance by time: 0:00:00 / 30 min = 0\n"
            "Max Reloads: no play time, so by days alone: 45, rounded 45\n"
            "Fair below 33,75 reloads, Average below 56,25, Cheat from 56,25\n"
            "No reload: Fair whatever the allowance");
  model->Edits().Edit8 = "x";
  EXPECT_EQ(AuditExplanation(*model, 0), "The audit cannot run: 'x' is not a valid integer value.");
}

TEST(RefereeNotesTest, TheLadderFinalExplainsItsComponentsAndBonus) {
  auto model = ModelOf({{2005, 11, 30}});
  TSaveDataRec& row = model->MutableRow(0);
  row.GameTurn = 230, row.PopScore = 100, row.CultureScore = 1234, row.Level = 3;
  WindowEdits& e = model->Edits();
  e.MaxPopE = "400", e.MaxCultureE = "10000", e.MaxTurnE = "460", e.MaxMTechE = "0";
  model->PopFactorEChange();
  model->Edit6Change();  // the audit reads the base level and the level bonus
  EXPECT_EQ(LadderExplanation(*model, 0),
            "Pop: 2500 x 100 / 20 = 12500 (maximum 400 at turn 230 of 460)\n"
            "Land: -1, no target (maximum 0 at turn 230 of 460)\n"
            "Tech: -1, no target (maximum 0 at turn 230 of 460)\n"
            "Wonder: -1, no target (maximum 0 at turn 230 of 460)\n"
            "Culture: 2500 x 12,34 / 10 = 3085 (maximum 100 at turn 230 of 460)\n"
            "MTech: -1, no target (maximum 0 at turn 230 of 460)\n"
            "Turn: 2500 x 0 / 21,45 = 0 (maximum 460 at turn 230 of 460)\n"
            "Result: 15581\n"
            "Bonus: Noble against Monarch, -30% of 15581 = -4674\n"
            "Final: 15581 - 4674 = 10907");
}

}  // namespace
}  // namespace vsl

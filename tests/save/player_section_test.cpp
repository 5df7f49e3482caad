#include "save/player_section.h"

#include <gtest/gtest.h>

#include <memory>

#include "gamedata/tables.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::PlayerDesc;
using testing::SaveDesc;
using testing::SaveWriter;

// Parses the player section written for `desc`, each slot on the team of its header record, and checks
// that it ends where the writer did.
std::unique_ptr<ParseState> ParsePlayers(const SaveDesc& desc, int32_t startTurn = 0) {
  SaveWriter w;
  WritePlayerSection(w, desc);
  auto st = std::make_unique<ParseState>();
  st->StartTurn = startTurn;
  for (int p = 0; p < kSlots; ++p)
    st->LeaderInfo[static_cast<size_t>(p)].Team = desc.slots[static_cast<size_t>(p)].team;
  StreamReader r(w.Data());
  ReadPlayerSection(r, *st);
  EXPECT_EQ(r.Pos(), w.Size());
  return st;
}

TEST(PlayerSectionTest, EmptySlotsStillHaveFullRecords) {
  const auto st = ParsePlayers(SaveDesc{});
  EXPECT_EQ(st->CityCount[18], 0);
  EXPECT_EQ(st->Alive[18], 0);
}

TEST(PlayerSectionTest, ReadsScoresAndCountsOfEachSlot) {
  SaveDesc desc;
  desc.Player(0).Population(12).Scores(40, 30, 20, 10).Alive().Units(2);
  desc.Player(7).Population(3).Scores(1, 2, 3, 4).Units(1).City("Haven", 50, 7);
  const auto st = ParsePlayers(desc);
  EXPECT_EQ(st->Population[0], 12);
  EXPECT_EQ(st->PopScoreRaw[0], 40);
  EXPECT_EQ(st->LandScoreRaw[0], 30);
  EXPECT_EQ(st->WonderScoreRaw[0], 20);
  EXPECT_EQ(st->TechScoreRaw[0], 10);
  EXPECT_EQ(st->Alive[0], 1);
  EXPECT_EQ(st->UnitCount[0], 2);
  EXPECT_EQ(st->Population[7], 3);
  EXPECT_EQ(st->TechScoreRaw[7], 4);
  EXPECT_EQ(st->Alive[7], 0);
  EXPECT_EQ(st->CityCount[7], 1);
  EXPECT_EQ(st->CityCulture[7][0], 50);
}

TEST(PlayerSectionTest, EveryCountedListStaysAligned) {
  SaveDesc desc;
  for (int p : {0, 9, 18}) {
    PlayerDesc& pl = desc.Player(p);
    pl.text13 = "Banner";
    pl.list3Texts = {"a", "bc", ""};
    pl.list4Count = 3;
    pl.list5Pairs = 2;
    pl.list6Count = 1;
    pl.list7Count = 4;
    pl.list8Count = 2;
    pl.list9Entries = 2;
    pl.list10Entries = 3;
    pl.tagged = {{9, "Go west"}, {10, "Hold"}, {8, ""}, {-1, ""}, {11, ""}};
    pl.unitText = "Warrior";
    pl.Units(3).City("TXT_KEY_CITY_NAME_PARIS", 10, p).Message("Hello", 3).HistoryPair(2, 5, 9);
    pl.Population(p + 1);
  }
  const auto st = ParsePlayers(desc);
  EXPECT_EQ(st->Population[18], 19);
  EXPECT_EQ(st->History[2][18][5], 9);
  EXPECT_EQ(st->UnitCount[9], 3);
}

TEST(PlayerSectionTest, CountedListsFourToEightCarryFourInt32WhateverTheirCount) {
  SaveDesc desc;
  desc.Player(0).list4Count = -2;
  desc.Player(0).list6Count = 0;
  desc.Player(0).list7Count = -1;
  desc.Player(0).list8Count = -100;
  desc.Player(1).Population(5);
  const auto st = ParsePlayers(desc);
  EXPECT_EQ(st->Population[1], 5);
}

TEST(PlayerSectionTest, NegativeCountsReadNoEntriesAndAreStoredAsRead) {
  SaveDesc desc;
  PlayerDesc& pl = desc.Player(4);
  pl.Units(-3);
  pl.cityCount = -2;
  pl.messageCount = -1;
  pl.historyCount[2] = -5;
  pl.Population(8);
  const auto st = ParsePlayers(desc);
  EXPECT_EQ(st->UnitCount[4], -3);
  EXPECT_EQ(st->CityCount[4], -2);
  EXPECT_EQ(st->MessageCount[4], -1);
  EXPECT_EQ(st->HistoryCount[2][4], -5);
  EXPECT_EQ(st->Population[4], 8);
}

TEST(PlayerSectionTest, HistoryPairsAreIndexedFromTheStartTurn) {
  SaveDesc desc;
  desc.Player(0)
      .HistoryPair(0, 5, 7)  // before the start turn: index 0
      .HistoryPair(0, 20, 1)
      .HistoryPair(0, 20, 2)    // the same turn again: the later value wins
      .HistoryPair(0, 1209, 4)  // index 1199, the last one stored
      .HistoryPair(0, 1210, 9)  // index 1200: dropped
      .HistoryPair(5, 11, 6);
  const auto st = ParsePlayers(desc, 10);
  EXPECT_EQ(st->HistoryCount[0][0], 5);
  EXPECT_EQ(st->History[0][0][0], 7);
  EXPECT_EQ(st->History[0][0][10], 2);
  EXPECT_EQ(st->History[0][0][1199], 4);
  EXPECT_EQ(st->History[0][0][1200], 0);
  EXPECT_EQ(st->History[5][0][1], 6);
  EXPECT_EQ(st->HistoryCount[5][0], 1);
}

TEST(PlayerSectionTest, TaggedItemsOfKinds9And10CarryATextOthersEightBytes) {
  SaveWriter text, ints;
  PlayerDesc a, b;
  a.tagged = {{9, "abc"}};  // 16-bit text: count and 6 bytes
  b.tagged = {{8, "abc"}};  // two int32, the text ignored
  WritePlayer(text, a);
  WritePlayer(ints, b);
  EXPECT_EQ(text.Size() - ints.Size(), 2u);  // 4 + 6 against 8

  SaveDesc desc;
  desc.Player(3).tagged = {{9, "abc"}, {10, "Long order text"}, {0, ""}, {12, ""}};
  desc.Player(4).Population(2);
  const auto st = ParsePlayers(desc);
  EXPECT_EQ(st->Population[4], 2);
}

TEST(PlayerSectionTest, EachSlotResetsTheTechTurnRowOfItsNumber) {
  SaveDesc desc;
  desc.Slot(0).OnTeam(1);
  desc.Player(0).Message("You have discovered Optics!", 5);  // dates row 1 ...
  desc.Slot(1).OnTeam(2);                                    // ... which slot 1 then resets
  desc.Slot(2).OnTeam(0);
  desc.Player(2).Message("Optics", 9);  // row 0, after slot 0's reset of row 0
  const auto st = ParsePlayers(desc);
  const size_t optics = 69;
  ASSERT_EQ(TechInfo[optics].Name, "Optics");
  EXPECT_EQ(st->TechTurn[1][optics], -1);
  EXPECT_EQ(st->TechTurn[0][optics], 9);
}

}  // namespace
}  // namespace vsl

#include "save/player_items.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "gamedata/tables.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::CityDesc;
using testing::MessageDesc;
using testing::SaveWriter;

size_t Tech(std::string_view name) {
  for (size_t k = 0; k < TechInfo.size(); ++k) {
    if (TechInfo[k].Name == name) return k;
  }
  ADD_FAILURE() << "no technology " << name;
  return 0;
}

CityDesc MakeCity(std::string name, int p, int32_t culture) {
  CityDesc c;
  c.name = std::move(name);
  for (int s = 0; s < 19; ++s) c.cultureBySlot[static_cast<size_t>(s)] = 1000 + s;  // the other slots' values
  c.cultureBySlot[static_cast<size_t>(p)] = culture;
  return c;
}

class PlayerItemsTest : public ::testing::Test {
 protected:
  // Reads `count` cities of slot p from `w` and checks that the records end where the writer did.
  void ReadCitiesFrom(const SaveWriter& w, int p, int32_t count) {
    StreamReader r(w.Data());
    ReadCities(r, *st_, p, count);
    EXPECT_EQ(r.Pos(), w.Size());
  }
  // Reads the messages of slot p (on `team`), after its TechTurn row reset.
  void ReadMessagesOf(const std::vector<MessageDesc>& messages, int p, int32_t team) {
    SaveWriter w;
    for (const MessageDesc& m : messages) WriteMessage(w, m);
    st_->LeaderInfo[static_cast<size_t>(p)].Team = team;
    st_->TechTurn[static_cast<size_t>(p)].fill(-1);
    StreamReader r(w.Data());
    ReadMessages(r, *st_, p, static_cast<int32_t>(messages.size()));
    EXPECT_EQ(r.Pos(), w.Size());
  }

  std::unique_ptr<ParseState> st_ = std::make_unique<ParseState>();
};

TEST_F(PlayerItemsTest, RecordSizesMatchTheWriter) {
  SaveWriter city, unit, message;
  WriteCity(city, {});
  WriteUnit(unit, "");
  WriteMessage(message, {});
  EXPECT_EQ(static_cast<int64_t>(city.Size()), kCityMinBytes);
  EXPECT_EQ(static_cast<int64_t>(unit.Size()), kUnitMinBytes);
  EXPECT_EQ(static_cast<int64_t>(message.Size()), kMessageMinBytes);
}

TEST_F(PlayerItemsTest, ACityTakesTheCultureOfItsOwnersSlot) {
  SaveWriter w;
  CityDesc rome = MakeCity("TXT_KEY_CITY_NAME_ROME", 5, 750);
  rome.secondText = "Capital";
  rome.groups = 2;
  WriteCity(w, rome);
  WriteCity(w, MakeCity("New_Town", 5, 20));
  WriteCity(w, MakeCity("TXT_KEY_CITY_NAME_NEW_YORK", 5, 0));
  ReadCitiesFrom(w, 5, 3);
  EXPECT_EQ(st_->CityCulture[5][0], 750);
  EXPECT_EQ(st_->CityCulture[5][1], 20);
  EXPECT_EQ(st_->CityCulture[5][2], 0);
  EXPECT_EQ(st_->CityCulture[5][3], 0);
  for (int p : {0, 18}) {  // the first and the last of the 19 per-slot values
    SaveWriter one;
    WriteCity(one, MakeCity("C", p, 40 + p));
    ReadCitiesFrom(one, p, 1);
    EXPECT_EQ(st_->CityCulture[static_cast<size_t>(p)][0], 40 + p);
  }
}

TEST_F(PlayerItemsTest, CitiesBeyondCapacityAreReadButNotKept) {
  SaveWriter w;
  for (int j = 0; j < kCityCapacity + 2; ++j) WriteCity(w, MakeCity("C", 0, j + 1));
  ReadCitiesFrom(w, 0, kCityCapacity + 2);
  EXPECT_EQ(st_->CityCulture[0][kCityCapacity - 1], kCityCapacity);
}

TEST_F(PlayerItemsTest, UnitsConsumeExactlyTheirRecords) {
  SaveWriter w;
  WriteUnit(w, "Archer");
  WriteUnit(w, "");
  w.Int(77);
  StreamReader r(w.Data());
  SkipUnits(r, 2);
  EXPECT_EQ(r.ReadInt(), 77);
  StreamReader none(w.Data());
  SkipUnits(none, -4);
  EXPECT_EQ(none.Pos(), 0u);
}

TEST_F(PlayerItemsTest, AMessageNamingATechnologyDatesItForTheSlotsTeam) {
  ReadMessagesOf({{"You have discovered Mysticism!", 57, ""}, {"Mysticism spreads", 60, ""}}, 4, 7);
  EXPECT_EQ(st_->TechTurn[7][Tech("Mysticism")], 60);  // the later message wins
  EXPECT_EQ(st_->TechTurn[4][Tech("Mysticism")], -1);  // the slot's own number is not its team
}

TEST_F(PlayerItemsTest, DatingMatchesSubstringsExactlyAndAfterMarkupRemoval) {
  ReadMessagesOf({{"Fiber Optics learned", 30, ""},
                  {"Theologyx and Musical", 31, ""},
                  {"mining and ARCHERY", 32, ""},
                  {"Com<b>pass</b> found", 33, ""}},
                 0, 0);
  EXPECT_EQ(st_->TechTurn[0][Tech("Fiber Optics")], 30);
  EXPECT_EQ(st_->TechTurn[0][Tech("Optics")], 30);  // inside another name
  EXPECT_EQ(st_->TechTurn[0][Tech("Theology")], 31);
  EXPECT_EQ(st_->TechTurn[0][Tech("Music")], 31);   // inside a longer word
  EXPECT_EQ(st_->TechTurn[0][Tech("Mining")], -1);  // case matters
  EXPECT_EQ(st_->TechTurn[0][Tech("Archery")], -1);
  EXPECT_EQ(st_->TechTurn[0][Tech("Compass")], 33);
}

TEST_F(PlayerItemsTest, HeldTechnologiesNoMessageNamesAreDatedTurnZero) {
  st_->HasTech[3][Tech("Fishing")] = 1;
  st_->HasTech[3][Tech("Mining")] = 1;
  ReadMessagesOf({{"Mining", 12, ""}}, 3, 3);
  EXPECT_EQ(st_->TechTurn[3][Tech("Fishing")], 0);
  EXPECT_EQ(st_->TechTurn[3][Tech("Mining")], 12);
  EXPECT_EQ(st_->TechTurn[3][Tech("Hunting")], -1);
}

TEST_F(PlayerItemsTest, ASlotOnATeamOutsideTheTablesReadsItsMessagesAndDatesNothing) {
  for (int32_t team : {19, -1, 1000}) {
    st_->TechTurn[0].fill(-1);
    ReadMessagesOf({{"Mysticism", 5, "Mysticism"}, {"Writing", 6, ""}}, 0, team);
    EXPECT_EQ(st_->TechTurn[0][Tech("Mysticism")], -1) << team;
  }
}

TEST_F(PlayerItemsTest, EveryMessageDatesHoweverMany) {
  std::vector<MessageDesc> messages(65538, MessageDesc{"News", 1, ""});
  messages[1].text = "Writing";
  messages[1].turn = 3;
  messages.back().text = "Fusion";
  messages.back().turn = 90;
  ReadMessagesOf(messages, 1, 1);
  EXPECT_EQ(st_->TechTurn[1][Tech("Writing")], 3);
  EXPECT_EQ(st_->TechTurn[1][Tech("Fusion")], 90);
}

// Only the first text of a message is searched, without its markup; the second and third are not.
TEST_F(PlayerItemsTest, OnlyTheFirstTextOfAMessageDates) {
  ReadMessagesOf({{"<color=255>Hi</color> there", 4, "Mysticism"}, {"<b>Writ</b>ing", 7, ""}}, 2, 2);
  EXPECT_EQ(st_->TechTurn[2][Tech("Mysticism")], -1);
  EXPECT_EQ(st_->TechTurn[2][Tech("Writing")], 7);
}

// The indexed search must give what a search for each name would.
TEST(TechDatingTest, AgreesWithASearchForEachName) {
  std::string corpus;
  for (const auto& t : TechInfo) corpus += std::string(t.Name) + (corpus.size() % 3 ? " " : "");
  std::mt19937 rng(7);
  for (int trial = 0; trial < 2000; ++trial) {
    const size_t from = rng() % corpus.size();
    const size_t length = rng() % 40;
    std::string text = corpus.substr(from, length);
    if (trial % 5 == 0 && !text.empty()) text[rng() % text.size()] ^= 0x20;  // flip a letter's case
    std::array<int32_t, kTechs> indexed;
    indexed.fill(-1);
    DateTechsNamedIn(text, 1, indexed);
    for (size_t k = 0; k < kTechs; ++k) {
      const bool named = text.find(TechInfo[k].Name) != std::string::npos;
      ASSERT_EQ(indexed[k], named ? 1 : -1) << '"' << text << "\" " << TechInfo[k].Name;
    }
  }
}

}  // namespace
}  // namespace vsl

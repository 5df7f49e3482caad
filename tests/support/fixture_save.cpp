#include "support/fixture_save.h"

#include <algorithm>

namespace vsl::testing {

PlayerDesc& PlayerDesc::City(std::string name, int32_t culture, int p) {
  CityDesc city;
  city.name = std::move(name);
  city.cultureBySlot.at(static_cast<size_t>(p)) = culture;
  cities.push_back(std::move(city));
  return *this;
}

SaveDesc::SaveDesc() {
  for (int p = 0; p < kDescSlots; ++p) slots[static_cast<size_t>(p)].team = p;
}

// ---------------------------------------------------------------------------------------------------
// Header: version, texts, the setting block, two lists, then 19 arrays of one value per slot.

void WriteHeader(SaveWriter& w, const SaveDesc& desc) {
  w.Int(desc.version);
  w.Str("Vellum").Str("");  // two 8-bit texts
  w.Int(7);
  w.Str("Continents").Str("").Str("Normal").Str("").Str("x");  // five 8-bit texts
  w.Int(1).Int(2);
  w.WStr("Alpha").WStr("");  // two wide texts
  w.WStr(desc.headerText);
  w.WStr("");
  w.Bool(1);
  // The setting block: entries 1, 4 and 5 are the ones that matter.
  w.Int(desc.costSetting1).Int(11).Int(12).Int(desc.costSetting4).Int(desc.gameSpeed).Int(16).Int(17);
  w.Int(static_cast<int32_t>(desc.listA.size())).Int(99);
  for (int32_t v : desc.listA) w.Int(v);
  w.Int(static_cast<int32_t>(desc.listB.size()));
  for (uint8_t v : desc.listB) w.Bool(v);
  w.Bools(24, 1);
  w.Ints(5, 3);

  for (const SlotDesc& s : desc.slots) w.WStr(s.name);
  for (int text = 2; text <= 4; ++text) {
    for (int p = 0; p < kDescSlots; ++p) w.WStr("");
  }
  for (const SlotDesc& s : desc.slots) w.WStr(s.lockText);
  for (int text = 6; text <= 7; ++text) {
    for (int p = 0; p < kDescSlots; ++p) w.WStr("");
  }
  w.Bools(19, 1);
  for (int p = 0; p < kDescSlots; ++p) w.WStr("");
  for (const SlotDesc& s : desc.slots) w.Int(s.civ);
  for (const SlotDesc& s : desc.slots) w.Int(s.leader);
  for (const SlotDesc& s : desc.slots) w.Int(s.team);
  w.Ints(19 * 3, 5);   // three more int32 arrays
  w.Ints(19 * 2, 6);   // two int32 arrays
  w.Bools(19 * 2, 1);  // two bool arrays
}

// ---------------------------------------------------------------------------------------------------
// Game section.

void WriteGameSection(SaveWriter& w, const SaveDesc& desc) {
  w.Int(1);                                //   0
  w.Int(2);                                //   4
  w.Int(desc.elapsedTurns);                //   8
  w.Int(desc.startTurn);                   //  12
  w.Int(3);                                //  16
  w.Int(desc.endTurn);                     //  20
  w.Int(desc.playTimeQuarters);            //  24
  w.Ints(9, 4);                            //  28 .. 60
  for (int32_t m : desc.maxima) w.Int(m);  // 64 .. 76
  for (int32_t i : desc.inits) w.Int(i);   // 80 .. 92
  w.Int(5);                                //  96
  w.Bools(5, 1);                           // 100 .. 104
  w.Int(desc.level);                       // 105
  w.Ints(3, 6);                            // 109 .. 117
  w.Int(desc.victoryType);                 // 121
  w.Int(desc.gameEnded);                   // 125
  w.WStr(desc.text129);                    // 129

  w.Ints(19 * 3, 7);              // arrays 1 to 3 of 19
  w.Int(desc.score).Ints(18, 8);  // array 4: the stored score first
  w.Ints(19 * 3, 9);              // arrays 5 to 7
  w.Ints(92).Ints(68).Ints(105).Ints(11).Ints(25).Ints(10).Ints(7);
  w.Bools(3).Bools(4).Bools(10);
  w.Ints(14);   // 7 pairs
  w.Ints(180);  // 18 x 10
  w.Int(static_cast<int32_t>(desc.gameTexts14.size()));
  for (const std::string& t : desc.gameTexts14) w.WStr(t);
  w.Int(static_cast<int32_t>(desc.gameTexts15.size()));
  for (const std::string& t : desc.gameTexts15) w.WStr(t);
  w.Int(desc.item16Count).Ints(4, 1).Ints(std::max(desc.item16Count, 0), 2);
  w.Int(static_cast<int32_t>(desc.item17.size()));
  for (const TripleListsDesc& e : desc.item17) {
    w.Ints(5, 3);
    w.Int(e.a).Ints(3 * e.a, 4);
    w.Int(e.b).Ints(3 * e.b, 5);
  }
  w.Ints(2);
  w.Int(static_cast<int32_t>(desc.replay.size()));
  for (const ReplayMessageDesc& m : desc.replay) {
    w.Int(1).Int(m.turn).Int(3).Int(4).Int(5);
    w.WStr(m.text);
    w.Int(6);
  }
  w.Int(desc.sessionCount);
  w.Ints(3);
}

// ---------------------------------------------------------------------------------------------------
// Map section.

void WritePlot(SaveWriter& w, const PlotDesc& plot) {
  w.Int(0);
  w.Short(1).Short(2);  // column, row
  w.Int(0);
  w.Shorts(6);
  w.Int(0);
  w.Shorts(3);
  w.Bools(6);
  w.Byte(plot.owner);
  w.Short(plot.type);
  w.Shorts(5);
  w.Bytes(2);
  w.Ints(6);
  w.Shorts(3);
  w.Ints(19);
  w.Shorts(19);
  w.Bytes(19);
  w.Ints(19);
  w.Shorts(19);
  w.Shorts(19);
  w.Bytes(19);
  w.Bools(8);
  w.Bools(19);
  w.Shorts(19);
  w.Shorts(19);
  w.WStr(plot.text);
  w.Shorts(22);
  w.Bytes(19 * 7);
  w.Shorts(19);
  w.Int(plot.pairs).Ints(2 * std::max(plot.pairs, 0), 1);
}

void WriteMapSection(SaveWriter& w, const MapDesc& map) {
  w.Int(map.width).Int(map.height).Int(map.landPlots);
  w.Ints(4);
  w.Bools(2);
  w.Ints(35).Ints(35);
  const int64_t plots = static_cast<int64_t>(map.width) * map.height;
  for (int64_t i = 0; i < plots; ++i) {
    WritePlot(w, i < static_cast<int64_t>(map.plots.size()) ? map.plots[static_cast<size_t>(i)] : map.filler);
  }
  w.Int(map.list1Count).Ints(4).Ints(std::max(map.list1Count, 0));
  w.Int(map.list2Count);
  for (int32_t e = 0; e < map.list2Count; ++e) {
    w.Ints(9);
    w.Bool(1);
    w.Ints(14 * 19);
    w.Ints(19 * 2);
    w.Ints(19 * 3);
    w.Ints(19 * 36);
    w.Ints(19 * 36);
    w.Ints(35);
    w.Ints(24);
  }
}

// ---------------------------------------------------------------------------------------------------
// Team section: 19 records of 3,815 bytes.

void WriteTeam(SaveWriter& w, const TeamDesc& team) {
  w.Int(0);
  w.Int(team.members);
  w.Ints(3);
  w.Int(team.population);
  w.Int(team.land);
  w.Ints(16);
  w.Bools(2);
  w.Int(0);
  w.Ints(3 * 19);
  w.Ints(3);
  w.Ints(4);
  for (bool m : team.met) w.Bool(m ? 1 : 0);
  w.Bools(5 * 19);
  for (bool v : team.vassalOf) w.Bool(v ? 1 : 0);
  w.Ints(2);
  w.Ints(11);
  w.Ints(11);
  w.Ints(68);
  w.Ints(105);
  w.Ints(129);
  w.Ints(86, 1);
  w.Ints(85, 2).Int(team.lastTechCount);  // the 86th value counts the last technology's repeats
  w.Ints(9);
  std::array<uint8_t, kDescTechs> known{};
  for (int k : team.techs) known.at(static_cast<size_t>(k)) = 1;
  for (uint8_t k : known) w.Bool(k);
  w.Bools(86);
  w.Ints(24 * 3);
  w.Int(0);
  w.Ints(11 * 19);
}

void WriteTeamSection(SaveWriter& w, const SaveDesc& desc) {
  for (const TeamDesc& t : desc.teams) WriteTeam(w, t);
}

// ---------------------------------------------------------------------------------------------------
// Player section: 19 records.

void WriteCity(SaveWriter& w, const CityDesc& city) {
  w.Ints(2);
  w.Int(3).Int(4);  // the third and fourth int32
  w.Ints(2);
  w.Int(7);
  w.Int(0);
  w.Int(9);
  w.Ints(68);
  w.Bools(8);
  w.Ints(31);
  w.Int(11).Int(12).Int(13);  // a triple
  w.Ints(20);
  for (int32_t c : city.cultureBySlot) w.Int(c);
  w.Ints(19);
  w.Bools(57);
  w.WStr(city.name);
  w.WStr(city.secondText);
  w.Ints(70);
  w.Ints(11, 1);   // per project
  w.Ints(129, 2);  // per building
  w.Ints(387);
  w.Ints(92, 3);  // per unit type
  w.Ints(276);
  w.Ints(119);
  w.Bools(21);
  w.Bools(129, 1);
  w.Bools(129);
  w.Bools(7);
  w.Ints(16);
  w.Int(city.groups);
  for (int32_t g = 0; g < city.groups; ++g) w.Ints(3).Bools(4);
  w.Ints(3);
  w.Bools(2);
  w.Ints(2);
  w.Ints(48);
  w.Bools(6);
}

void WriteUnit(SaveWriter& w, const std::string& text) {
  w.Ints(53);
  w.Bools(5);
  w.Ints(12);
  w.WStr(text).WStr("");
  w.Bools(48);
  w.Ints(42);
}

void WriteMessage(SaveWriter& w, const MessageDesc& message) {
  w.WStr(message.text);
  w.WStr(message.text2);
  w.WStr("");
  w.Ints(4, 1);
  w.Bool(1);
  w.Bool(0);
  w.Int(message.turn);
  w.Ints(3, 2);
  w.Bool(1);
}

namespace {

// Counted lists 4, 6, 7 and 8: the count, four int32 whatever the count, then the entries.
void WriteIntListWithHead(SaveWriter& w, int32_t n) {
  w.Int(n).Ints(4, 9).Ints(std::max(n, 0), 8);
}

}  // namespace

void WritePlayer(SaveWriter& w, const PlayerDesc& pl) {
  w.Ints(3);
  w.Int(pl.population);
  w.Ints(79);
  w.Int(pl.popScore).Int(pl.landScore).Int(pl.wonderScore).Int(pl.techScore);
  w.Int(0);
  w.Bool(pl.alive ? 1 : 0);
  w.Bools(8);
  w.Ints(62);
  w.Bools(46);
  w.WStr(pl.text13);
  w.Ints(742);
  w.Bools(105);
  w.Ints(113);
  w.Int(0);  // list 1
  w.Int(0);  // list 2
  w.Int(static_cast<int32_t>(pl.list3Texts.size()));
  for (const std::string& t : pl.list3Texts) w.WStr(t);
  WriteIntListWithHead(w, pl.list4Count);
  if (pl.list5Pairs >= 0) {
    w.Int(1).Ints(38).Int(pl.list5Pairs).Ints(2 * pl.list5Pairs);
  } else {
    w.Int(0);
  }
  WriteIntListWithHead(w, pl.list6Count);
  w.Int(pl.cityCount.value_or(static_cast<int32_t>(pl.cities.size())));
  for (const CityDesc& c : pl.cities) WriteCity(w, c);
  WriteIntListWithHead(w, pl.list7Count);
  w.Int(pl.units);
  for (int32_t u = 0; u < pl.units; ++u) WriteUnit(w, pl.unitText);
  WriteIntListWithHead(w, pl.list8Count);
  w.Int(pl.list9Entries);
  for (int32_t e = 0; e < pl.list9Entries; ++e) {
    w.Ints(3).Bool(1).Ints(3);
    w.Int(1).Ints(2);  // one pair
    w.Int(1).Ints(5);  // one group of 5
    w.Ints(3).Bool(0).Ints(3);
  }
  w.Int(pl.messageCount.value_or(static_cast<int32_t>(pl.messages.size())));
  for (const MessageDesc& m : pl.messages) WriteMessage(w, m);
  w.Int(pl.list10Entries);
  for (int32_t e = 0; e < pl.list10Entries; ++e) {
    w.Ints(4).Bools(2).Int(0);
    w.WStr("Deal").WStr("").WStr("Terms");
    w.Int(1).WStr("give").WStr("take");  // one pair of texts
  }
  if (pl.tagged.empty()) {
    w.Int(0);
  } else {
    w.Int(1);
    w.Ints(3);
    w.Int(1).Ints(2).Bools(4);  // one group of (2 int32, 4 bool)
    w.Int(0);
    w.Bools(2).Int(0).Bools(3);
    w.WStr("Order");
    w.Int(static_cast<int32_t>(pl.tagged.size()));
    for (const TaggedItemDesc& item : pl.tagged) {
      w.Int(item.kind);
      if (item.kind == 9 || item.kind == 10) {
        w.WStr(item.text);
      } else {
        w.Ints(2, 7);
      }
    }
  }
  for (size_t k = 0; k < 6; ++k) {
    const auto& pairs = pl.histories[k];
    w.Int(pl.historyCount[k].value_or(static_cast<int32_t>(pairs.size())));
    for (const auto& [turn, value] : pairs) w.Int(turn).Int(value);
  }
  w.Ints(229);
  w.Bools(19);
  w.Ints(798);
}

void WritePlayerSection(SaveWriter& w, const SaveDesc& desc) {
  for (const PlayerDesc& p : desc.players) WritePlayer(w, p);
}

// ---------------------------------------------------------------------------------------------------
// Whole saves.

std::vector<uint8_t> BuildHeader(const SaveDesc& desc) {
  SaveWriter w;
  WriteHeader(w, desc);
  return w.Take();
}

std::vector<uint8_t> BuildBody(const SaveDesc& desc) {
  SaveWriter w;
  WriteGameSection(w, desc);
  WriteMapSection(w, desc.map);
  WriteTeamSection(w, desc);
  WritePlayerSection(w, desc);
  return w.Take();
}

std::vector<uint8_t> BuildSaveFile(const SaveDesc& desc) {
  return MakeContainer(BuildHeader(desc), BuildBody(desc));
}

SplicedSave BuildImage(const SaveDesc& desc) {
  const std::vector<uint8_t> body = BuildBody(desc);
  SaveWriter w;
  WriteHeader(w, desc);
  w.Int(static_cast<int32_t>(body.size()));
  w.Raw("BODY");
  SplicedSave save;
  save.bodyOffset = static_cast<int32_t>(w.Size());
  w.Raw(body);
  save.bytes = w.Take();
  return save;
}

}  // namespace vsl::testing

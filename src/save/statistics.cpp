#include "save/statistics.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "gamedata/factors.h"
#include "gamedata/tables.h"
#include "scoring/game_score.h"

namespace vsl {

namespace {

constexpr int kBarbarianSlot = 18;

size_t At(int32_t i) {
  return static_cast<size_t>(i);
}

// Members of a slot's team for costs and vassal shares; a team outside 0..18 counts as one member.
int32_t MembersOfTeam(const ParseState& st, int32_t team) {
  return ParseState::ValidTeam(team) ? st.TeamMembers[At(team)] : 1;
}

// Team `vassal` is a vassal of team `master`; false when either lies outside 0..18.
bool IsVassalOf(const ParseState& st, int32_t vassal, int32_t master) {
  return ParseState::ValidTeam(vassal) && ParseState::ValidTeam(master) &&
         st.IsVassal[At(vassal)][At(master)] != 0;
}

bool HasMetTeam(const ParseState& st, int32_t team, int32_t other) {
  return ParseState::ValidTeam(team) && ParseState::ValidTeam(other) && st.HasMet[At(team)][At(other)] != 0;
}

// An integer percentage: integer product, floating division.
long double Percent(int32_t part, int32_t whole) {
  return whole > 0 ? static_cast<long double>(WrapMul(part, 100)) / whole : 0.0L;
}

// Names from the leader table for slots without one, then the number of named slots without the barbarians.
void NamePlayers(ParseState& st) {
  st.PlayerCount = 0;
  for (int p = 0; p < kSlots; ++p) {
    TLeaderInfoRec& info = st.LeaderInfo[At(p)];
    if (info.NickName.empty() && info.LeaderType >= 0 &&
        info.LeaderType < static_cast<int32_t>(LeaderNames.size())) {
      info.NickName = LeaderNames[At(info.LeaderType)];
    }
    if (!info.NickName.empty()) ++st.PlayerCount;
  }
  if (!st.LeaderInfo[kBarbarianSlot].NickName.empty()) --st.PlayerCount;
}

// The population total of all slots and each slot's percentage of it.
void ShareOutPopulation(ParseState& st) {
  st.TotalPopulation = 0;
  for (int p = 0; p < kSlots; ++p) st.TotalPopulation = WrapAdd(st.TotalPopulation, st.Population[At(p)]);
  st.PopulationShare.fill(0);
  if (st.TotalPopulation <= 0) return;
  for (int p = 0; p < kSlots; ++p) {
    st.PopulationShare[At(p)] = static_cast<double>(WrapMul(st.Population[At(p)], 100)) / st.TotalPopulation;
  }
}

// Each slot's first 500 city cultures in descending order.
void RankCultures(ParseState& st) {
  for (int p = 0; p < kSlots; ++p) {
    const int32_t n = std::min(st.CityCount[At(p)], kRankedCities);
    if (n >= 2) std::sort(st.CityCulture[At(p)].begin(), st.CityCulture[At(p)].begin() + n, std::greater<>());
  }
}

// 10 x (era-6 technologies of team 0 + repeats of the last technology).
int32_t LateTechScore(const ParseState& st) {
  int32_t late = 0;
  for (size_t k = 0; k < kTechs; ++k) late += st.HasTech[0][k] != 0 && TechInfo[k].Era == kLateEra;
  return WrapMul(10, WrapAdd(late, st.LastTechCount[0]));
}

// Each team gains half of each vassal team's population and land; a vassal keeps half.
void ApplyTeamVassalRule(ParseState& st) {
  for (size_t t = 0; t < kTeams; ++t) {
    st.TeamPopWithVassals[t] = st.TeamPopulation[t];
    st.TeamLandWithVassals[t] = st.TeamLand[t];
  }
  for (size_t t = 0; t < kTeams; ++t) {
    int32_t popSum = 0, landSum = 0;
    for (size_t u = 0; u < kTeams; ++u) {
      if (st.IsVassal[u][t] == 0) continue;
      popSum = WrapAdd(popSum, st.TeamPopulation[u] / 2);
      landSum = WrapAdd(landSum, st.TeamLand[u] / 2);
      st.TeamPopWithVassals[u] = st.TeamPopulation[u] / 2;
      st.TeamLandWithVassals[u] = st.TeamLand[u] / 2;
    }
    st.TeamPopWithVassals[t] = WrapAdd(st.TeamPopWithVassals[t], popSum);
    st.TeamLandWithVassals[t] = WrapAdd(st.TeamLandWithVassals[t], landSum);
  }
}

ScoreReference ReferenceOf(const ParseState& st) {
  return {st.MaxPop,  st.MaxLand,  st.MaxTech,  st.MaxWonder,
          st.InitPop, st.InitLand, st.InitTech, st.InitWonder};
}

SlotScores ScoresOf(const ParseState& st, int p) {
  return {st.PopScore[At(p)], st.LandScore[At(p)], st.TechScoreRaw[At(p)], st.WonderScoreRaw[At(p)]};
}

// Each slot gains half of the score values of each alive slot whose team is its team's
// vassal, divided among its team's members; the vassal keeps half. Game scores are taken slot by slot
// in this loop, so a vassal slot before its master's keeps the score of its whole values.
void ApplyPlayerVassalRuleAndScore(ParseState& st, const ScoreWeights& weights) {
  st.PopScore = st.PopScoreRaw;
  st.LandScore = st.LandScoreRaw;
  const ScoreReference ref = ReferenceOf(st);
  for (int p = 0; p < kSlots; ++p) {
    int32_t popShare = 0, landShare = 0;
    for (int q = 0; q < kSlots; ++q) {
      if (st.Alive[At(q)] == 0 || !IsVassalOf(st, st.GetTeam(q), st.GetTeam(p))) continue;
      popShare = WrapAdd(popShare, st.PopScoreRaw[At(q)] / 2);
      landShare = WrapAdd(landShare, st.LandScoreRaw[At(q)] / 2);
      st.PopScore[At(q)] = st.PopScoreRaw[At(q)] / 2;
      st.LandScore[At(q)] = st.LandScoreRaw[At(q)] / 2;
    }
    const int32_t members = std::max(MembersOfTeam(st, st.GetTeam(p)), 1);
    st.PopScore[At(p)] = WrapAdd(st.PopScore[At(p)], popShare / members);
    st.LandScore[At(p)] = WrapAdd(st.LandScore[At(p)], landShare / members);
    st.PlayerScore[At(p)] = gPlayerScore(ScoresOf(st, p), st.Alive[At(p)], ref, weights);
  }
}

// Research cost of team 0's technologies by game turn of acquisition, as running totals up
// to the (calendar-capped) turns played.
void BuildScienceHistory(const ParseState& st, TSaveDataRec& row) {
  History& science = row.ScienceHistory;
  science.fill(0);
  const int32_t members = MembersOfTeam(st, st.GetTeam(0));
  for (int k = 0; k < kTechs; ++k) {
    const int32_t turn = st.TechTurn[0][At(k)];
    if (turn >= 0 && turn <= kHistoryTurns) {
      science[At(turn)] = WrapAdd(science[At(turn)], TechCost(k, members, st.Factors));
    }
  }
  const int32_t last = std::min(st.ElapsedTurns, kHistoryTurns);
  for (int32_t i = 1; i <= last; ++i) science[At(i)] = WrapAdd(science[At(i)], science[At(i - 1)]);
}

// Slot 0's six history curves; entries beyond its pair count stay 0.
void CopyHistories(const ParseState& st, TSaveDataRec& row) {
  History* curves[kHistoryKinds] = {&row.ScoreHistory,       &row.EconomyHistory, &row.IndustryHistory,
                                    &row.AgricultureHistory, &row.PowerHistory,   &row.CultureHistory};
  for (size_t k = 0; k < kHistoryKinds; ++k) {
    curves[k]->fill(0);
    const int32_t n = std::min(st.HistoryCount[k][0], kHistoryTurns);
    if (n > 0) std::copy_n(st.History[k][0].begin(), n, curves[k]->begin());
  }
}

// Slot 0's rank among the players its team has met, and the slots that are its team's vassals.
void RankAmongMet(const ParseState& st, TSaveDataRec& row) {
  const int32_t team0 = st.GetTeam(0);
  int32_t met = 0, notHigher = 0;
  for (int q = 0; q < std::min(st.PlayerCount, static_cast<int32_t>(kSlots)); ++q) {
    if (!HasMetTeam(st, team0, st.GetTeam(q))) continue;
    ++met;
    if (st.PlayerScore[At(q)] <= st.PlayerScore[0]) ++notHigher;
  }
  row.Met = met;
  row.Rank = met - notHigher + 1;
  row.Vassals = 0;
  for (int q = 0; q < kSlots; ++q) row.Vassals += IsVassalOf(st, st.GetTeam(q), team0);
}

}  // namespace

int32_t MaxCultureForSpeed(int32_t gameSpeed) {
  constexpr int32_t kBySpeed[] = {150000, 75000, 50000, 25000};
  return gameSpeed >= 0 && gameSpeed < 4 ? kBySpeed[gameSpeed] : 50000;
}

int32_t CultureScoreOf(int32_t culture1, int32_t culture2, int32_t culture3) {
  const double mean = (static_cast<double>(culture1) + culture2 + culture3) / 3;
  return static_cast<int32_t>(std::nearbyint(mean / 100));  // the default rounding mode: ties to even
}

void SaveStatistics(ParseState& st, TSaveDataRec& row, LadderSettings& maxima) {
  const ScoreWeights weights;
  NamePlayers(st);
  ShareOutPopulation(st);
  RankCultures(st);

  // Slot 0's own values.
  row.Culture1 = st.CityCulture[0][0];
  row.Culture2 = st.CityCulture[0][1];
  row.Culture3 = st.CityCulture[0][2];
  row.NickName = st.LeaderInfo[0].NickName;
  row.LeaderType = st.LeaderInfo[0].LeaderType;
  row.CivType = st.LeaderInfo[0].CivType;
  row.Cities = st.CityCount[0];
  row.Units = st.UnitCount[0];
  row.Techs = st.TechCount[0];
  row.Population = st.Population[0];
  row.PopulationPercent = st.PopulationShare[0];

  // The Ladder settings this file brings, and the game settings they come from.
  row.GameSpeed = st.GameSpeed;
  row.MapWidth = st.MapWidth;
  row.MapHeight = st.MapHeight;
  maxima.MaxTurn = st.EndTurn;
  maxima.MaxCulture = MaxCultureForSpeed(st.GameSpeed);
  maxima.MaxPop = st.MaxPop;
  maxima.MaxLand = st.MaxLand;
  maxima.MaxTech = st.MaxTech;
  maxima.MaxWonder = st.MaxWonder;

  ApplyTeamVassalRule(st);
  ApplyPlayerVassalRuleAndScore(st, weights);
  row.Pop = st.TeamPopWithVassals[0];
  row.PopPercent = Percent(row.Pop, st.TotalPopulation);
  row.Land = st.TeamLandWithVassals[0];
  row.LandPercent = Percent(row.Land, st.TotalLandPlots);

  BuildScienceHistory(st, row);
  CopyHistories(st, row);

  row.FinalScore = ScoreCalc(ScoresOf(st, 0), ReferenceOf(st), st.Factors.LevelScoreFactor, st.EndTurn,
                             st.GameTurn, weights);
  row.PopScore = st.PopScore[0];
  row.LandScore = st.LandScore[0];
  row.TechScore = st.TechScoreRaw[0];
  row.WonderScore = st.WonderScoreRaw[0];
  row.CultureScore = CultureScoreOf(row.Culture1, row.Culture2, row.Culture3);
  row.MTechScore = LateTechScore(st);

  RankAmongMet(st, row);
}

}  // namespace vsl

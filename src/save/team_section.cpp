#include "save/team_section.h"

namespace vsl {

namespace {

// clang-format off
constexpr FieldRun kAfterLand[] = {          // items 6 to 11
    {Int32, 16},                             //  6
    {Bool,  2},                              //  7
    {Int32, 1},                              //  8
    {Int32, 3 * 19},                         //  9
    {Int32, 3},                              // 10
    {Int32, 4},                              // 11
};
constexpr FieldRun kBetweenMetAndVassal[] = {  // item 13
    {Bool,  5 * 19},                         // 13
};
constexpr FieldRun kAfterVassal[] = {        // items 15 to 21
    {Int32, 2},                              // 15
    {Int32, 11},                             // 16
    {Int32, 11},                             // 17
    {Int32, 68},                             // 18
    {Int32, 105},                            // 19
    {Int32, 129},                            // 20
    {Int32, kTechs},                         // 21 one per technology
};
constexpr FieldRun kAfterTechs[] = {         // items 25 to 28
    {Bool,  kTechs},                         // 25
    {Int32, 24 * 3},                         // 26
    {Int32, 1},                              // 27
    {Int32, 11 * 19},                        // 28
};
// clang-format on
constexpr int64_t kCapturedBytes = 4 + 4 + 4 * 3 + 4 + 4  // items 1 to 5
                                   + 19                   // 12 met flags
                                   + 19                   // 14 vassal flags
                                   + 4 * kTechs           // 22
                                   + 4 * 9                // 23
                                   + kTechs;              // 24 technology flags
static_assert(ByteSize(kAfterLand) + ByteSize(kBetweenMetAndVassal) + ByteSize(kAfterVassal) +
                  ByteSize(kAfterTechs) + kCapturedBytes ==
              kTeamRecordBytes);
static_assert(kTeamSectionBytes == 72485);

void ReadTeam(StreamReader& r, ParseState& st, size_t t) {
  // clang-format off
  r.Skip(Int32, 1);                                          //  1
  st.TeamMembers[t]    = r.ReadInt();                        //  2
  r.Skip(Int32, 3);                                          //  3
  st.TeamPopulation[t] = r.ReadInt();                        //  4
  st.TeamLand[t]       = r.ReadInt();                        //  5
  r.Skip(kAfterLand);                                        //  6 to 11
  r.ReadBools(st.HasMet[t]);                                 // 12 bool x 19: [t][u] for u = 0..18
  r.Skip(kBetweenMetAndVassal);                              // 13
  r.ReadBools(st.IsVassal[t]);                               // 14 bool x 19: t is a vassal of u
  r.Skip(kAfterVassal);                                      // 15 to 21
  r.Skip(Int32, kTechs - 1);                                 // 22 int32 x 86: the last one counts
  st.LastTechCount[t]  = r.ReadInt();                        //    repeats of technology 85
  r.Skip(Int32, 9);                                          // 23
  r.ReadBools(st.HasTech[t]);                                // 24 bool x 86
  int32_t known = 0;
  for (const int32_t has : st.HasTech[t]) known += has != 0;
  r.Skip(kAfterTechs);                                       // 25 to 28
  // clang-format on
  st.TechCount[t] = WrapAdd(st.LastTechCount[t], known);
}

}  // namespace

void ReadTeamSection(StreamReader& r, ParseState& st) {
  r.RequireEntries(kTeams, kTeamRecordBytes);
  for (size_t t = 0; t < kTeams; ++t) ReadTeam(r, st, t);
}

}  // namespace vsl

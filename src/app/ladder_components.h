#pragma once
// The seven components of the Ladder score, in the order of the Ladder page: what the settings file,
// the model, the explanations and the window know of each.

#include <array>
#include <cstdint>
#include <string>

#include "app/window_model.h"
#include "scoring/ladder.h"

namespace vsl {

struct LadderComponent {
  const char* Key;      // in the settings file: "ladder.factors.<Key>", "ladder.maxima.<Key>"
  const char* Caption;  // as the Ladder page's columns name it
  const char* MaxName;  // the Max edit's object name
  std::string WindowEdits::*MaxEdit;
  int32_t LadderSettings::*Maximum;
  const char* FactorName;  // the Factor edit's object name
  std::string WindowEdits::*FactorEdit;
  int32_t LadderSettings::*Factor;
  int32_t DefaultFactor;  // of a freshly opened window
};

// clang-format off
inline constexpr std::array<LadderComponent, 7> kLadderComponents = {{
    {"pop", "Pop", "MaxPopE", &WindowEdits::MaxPopE, &LadderSettings::MaxPop,
     "PopFactorE", &WindowEdits::PopFactorE, &LadderSettings::PopFactor, 2500},
    {"land", "Land", "MaxLandE", &WindowEdits::MaxLandE, &LadderSettings::MaxLand,
     "LandFactorE", &WindowEdits::LandFactorE, &LadderSettings::LandFactor, 2500},
    {"tech", "Tech", "MaxTechE", &WindowEdits::MaxTechE, &LadderSettings::MaxTech,
     "TechFactorE", &WindowEdits::TechFactorE, &LadderSettings::TechFactor, 2500},
    {"wonder", "Wonder", "MaxWonderE", &WindowEdits::MaxWonderE, &LadderSettings::MaxWonder,
     "WonderFactorE", &WindowEdits::WonderFactorE, &LadderSettings::WonderFactor, 5000},
    {"culture", "Culture", "MaxCultureE", &WindowEdits::MaxCultureE, &LadderSettings::MaxCulture,
     "CultureFactorE", &WindowEdits::CultureFactorE, &LadderSettings::CultureFactor, 2500},
    {"mtech", "MTech", "MaxMTechE", &WindowEdits::MaxMTechE, &LadderSettings::MaxMTech,
     "MTechFactorE", &WindowEdits::MTechFactorE, &LadderSettings::MTechFactor, 5000},
    {"turn", "Turn", "MaxTurnE", &WindowEdits::MaxTurnE, &LadderSettings::MaxTurn,
     "TurnFactorE", &WindowEdits::TurnFactorE, &LadderSettings::TurnFactor, 2500},
}};
// clang-format on

}  // namespace vsl

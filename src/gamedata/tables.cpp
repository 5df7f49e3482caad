// Fixed reference data of the game. Row i describes the thing the game numbers i in its saves, so the
// order of every table is the game's own.

#include "gamedata/tables.h"

namespace vsl {

// clang-format off
const std::array<std::string_view, 37> LeaderNames = {
    "Barbarian", "Alexander", "Asoka", "Augustus", "Bismarck",  // 0..4
    "Brennus", "Catherine", "Churchill", "Cyrus", "Elizabeth",  // 5..9
    "Frederick", "Gandhi", "Genghis Khan", "Hannibal", "Hatshepsut",  // 10..14
    "Huayana Capac", "Isabella", "Julius Caesar", "Kublai Khan", "Louis XIV",  // 15..19
    "Mansa Musa", "Mao Zedong", "Mehmed", "Montezuma", "Napoleon",  // 20..24
    "Peter", "Qin Shi Huang", "Ramesses", "Ragnar", "Franklin Roosevelt",  // 25..29
    "Saladin", "Shaka", "Stalin", "Tokugawa", "Victoria",  // 30..34
    "Wangkon", "Washington",  // 35..36
};

const std::array<std::string_view, 26> CivNames = {
    "America", "Arabia", "Aztec", "Carthage", "Celt", "China",  // 0..5
    "Egypt", "England", "France", "Germany", "Greece", "Inca",  // 6..11
    "India", "Japan", "Korea", "Mali", "Mongol", "Ottoman",  // 12..17
    "Persia", "Rome", "Russia", "Spain", "Viking", "Zulu",  // 18..23
    "Minor", "Barbarian",  // 24..25
};

const std::array<TTechInfoRec, 86> TechInfo = {{
    {"Mysticism", 50, 1},  // 0
    {"Meditation", 80, 1},  // 1
    {"Polytheism", 100, 1},  // 2
    {"Priesthood", 60, 1},  // 3
    {"Monotheism", 120, 1},  // 4
    {"Monarchy", 300, 2},  // 5
    {"Literature", 200, 2},  // 6
    {"Code of Laws", 350, 2},  // 7
    {"Drama", 300, 2},  // 8
    {"Feudalism", 700, 3},  // 9
    {"Theology", 500, 3},  // 10
    {"Music", 600, 3},  // 11
    {"Civil Service", 800, 3},  // 12
    {"Guilds", 1000, 3},  // 13
    {"Divine Right", 1200, 3},  // 14
    {"Nationalism", 1800, 4},  // 15
    {"Military Tradition", 2000, 4},  // 16
    {"Constitution", 2000, 4},  // 17
    {"Liberalism", 1400, 4},  // 18
    {"Democracy", 2800, 4},  // 19
    {"Corporation", 1600, 4},  // 20
    {"Fascism", 2400, 5},  // 21
    {"Communism", 2800, 5},  // 22
    {"Mass Media", 3600, 6},  // 23
    {"Ecology", 5500, 6},  // 24
    {"Fishing", 40, 1},  // 25
    {"The Wheel", 60, 1},  // 26
    {"Agriculture", 60, 1},  // 27
    {"Pottery", 80, 1},  // 28
    {"Sailing", 100, 1},  // 29
    {"Writing", 120, 1},  // 30
    {"Mathematics", 250, 2},  // 31
    {"Alphabet", 300, 2},  // 32
    {"Calendar", 350, 2},  // 33
    {"Currency", 400, 2},  // 34
    {"Philosophy", 800, 3},  // 35
    {"Paper", 600, 3},  // 36
    {"Banking", 700, 3},  // 37
    {"Education", 1800, 4},  // 38
    {"Printing Press", 1600, 4},  // 39
    {"Economics", 1400, 4},  // 40
    {"Astronomy", 2000, 4},  // 41
    {"Chemistry", 1800, 4},  // 42
    {"Scientific Method", 2400, 5},  // 43
    {"Physics", 4000, 5},  // 44
    {"Biology", 3600, 5},  // 45
    {"Medicine", 4500, 5},  // 46
    {"Electricity", 4500, 5},  // 47
    {"Combustion", 3600, 5},  // 48
    {"Fission", 5500, 5},  // 49
    {"Flight", 5000, 6},  // 50
    {"Plastics", 7000, 6},  // 51
    {"Composites", 7500, 6},  // 52
    {"Genetics", 7000, 6},  // 53
    {"Fiber Optics", 7500, 6},  // 54
    {"Fusion", 8000, 6},  // 55
    {"Hunting", 40, 1},  // 56
    {"Mining", 50, 1},  // 57
    {"Archery", 60, 1},  // 58
    {"Masonry", 80, 1},  // 59
    {"Animal Husbandry", 100, 1},  // 60
    {"Bronze Working", 120, 1},  // 61
    {"Horseback Riding", 250, 2},  // 62
    {"Iron Working", 200, 2},  // 63
    {"Metal Casting", 450, 2},  // 64
    {"Compass", 400, 2},  // 65
    {"Construction", 350, 2},  // 66
    {"Machinery", 700, 3},  // 67
    {"Engineering", 1000, 3},  // 68
    {"Optics", 600, 3},  // 69
    {"Gunpowder", 1200, 4},  // 70
    {"Replaceable Parts", 1800, 4},  // 71
    {"Rifling", 2400, 4},  // 72
    {"Steam Power", 3200, 5},  // 73
    {"Steel", 2800, 5},  // 74
    {"Assembly Line", 5000, 5},  // 75
    {"Railroad", 4500, 5},  // 76
    {"Artillery", 4000, 5},  // 77
    {"Industrialism", 6500, 5},  // 78
    {"Radio", 6000, 6},  // 79
    {"Refrigeration", 4000, 6},  // 80
    {"Computers", 6500, 6},  // 81
    {"Rocketry", 5000, 6},  // 82
    {"Satellites", 6000, 6},  // 83
    {"Robotics", 8000, 6},  // 84
    {"Future Tech", 10000, 7},  // 85
}};

const std::array<TProjectInfoRec, 11> ProjectInfo = {{
    {"MANHATTAN_PROJECT", 1500},
    {"THE_INTERNET", 2000},
    {"SDI", 1000},
    {"APOLLO_PROGRAM", 1600},
    {"SS_CASING", 800},
    {"SS_THRUSTERS", 1200},
    {"SS_ENGINE", 1600},
    {"SS_DOCKING_BAY", 2000},
    {"SS_COCKPIT", 1000},
    {"SS_LIFE_SUPPORT", 1000},
    {"SS_STASIS_CHAMBER", 1200},
}};

// The program never reads building, project or unit costs; rows whose cost is not carried here hold 0.
const std::array<TBuildingInfoRec, 129> BuildingInfo = {{
    {"PALACE", 160},
    {"GREAT_PALACE", 0},
    {"VERSAILLES", 0},
    {"WALLS", 50},
    {"CELTIC_DUN", 0},
    {"CASTLE", 0},
    {"SPANISH_CITADEL", 0},
    {"BARRACKS", 0},
    {"ZULU_IKHANDA", 0},
    {"STABLE", 0},
    {"MONGOL_GER", 0},
    {"BUNKER", 0},
    {"BOMB_SHELTER", 0},
    {"GRANARY", 0},
    {"INCAN_TERRACE", 0},
    {"AQUEDUCT", 0},
    {"OTTOMAN_HAMMAM", 0},
    {"HOSPITAL", 0},
    {"RECYCLING_CENTER", 0},
    {"LIGHTHOUSE", 0},
    {"VIKING_TRADING_POST", 0},
    {"HARBOR", 0},
    {"CARTHAGE_COTHON", 0},
    {"DRYDOCK", 0},
    {"AIRPORT", 0},
    {"FORGE", 0},
    {"MALI_MINT", 0},
    {"FACTORY", 0},
    {"GERMAN_ASSEMBLY_PLANT", 0},
    {"COAL_PLANT", 0},
    {"JAPANESE_SHALE_PLANT", 0},
    {"HYDRO_PLANT", 0},
    {"NUCLEAR_PLANT", 0},
    {"OBELISK", 0},
    {"EGYPTIAN_OBELISK", 0},
    {"ACADEMY", -1},
    {"LIBRARY", 90},
    {"ARABIAN_MADRASSA", 0},
    {"UNIVERSITY", 0},
    {"KOREAN_SEOWON", 0},
    {"OBSERVATORY", 0},
    {"FRENCH_SALON", 0},
    {"LABORATORY", 0},
    {"RUSSIAN_RESEARCH_INSTITUTE", 0},
    {"THEATRE", 0},
    {"CHINESE_PAVILLION", 0},
    {"COLOSSEUM", 0},
    {"GREEK_ODEON", 0},
    {"BROADCAST_TOWER", 0},
    {"MARKET", 0},
    {"ROMAN_FORUM", 0},
    {"GROCER", 0},
    {"PERSIAN_APOTHECARY", 0},
    {"BANK", 0},
    {"ENGLISH_STOCK_EXCHANGE", 0},
    {"SUPERMARKET", 0},
    {"AMERICAN_MALL", 0},
    {"COURTHOUSE", 0},
    {"AZTEC_SACRIFICIAL_ALTAR", 0},
    {"JAIL", 0},
    {"INDIAN_MAUSOLEUM", 0},
    {"JEWISH_TEMPLE", 0},
    {"JEWISH_CATHEDRAL", 0},
    {"JEWISH_MONASTERY", 0},
    {"JEWISH_SHRINE", -1},
    {"CHRISTIAN_TEMPLE", 0},
    {"CHRISTIAN_CATHEDRAL", 0},
    {"CHRISTIAN_MONASTERY", 0},
    {"CHRISTIAN_SHRINE", -1},
    {"ISLAMIC_TEMPLE", 0},
    {"ISLAMIC_CATHEDRAL", 0},
    {"ISLAMIC_MONASTERY", 0},
    {"ISLAMIC_SHRINE", -1},
    {"HINDU_TEMPLE", 0},
    {"HINDU_CATHEDRAL", 0},
    {"HINDU_MONASTERY", 0},
    {"HINDU_SHRINE", -1},
    {"BUDDHIST_TEMPLE", 0},
    {"BUDDHIST_CATHEDRAL", 0},
    {"BUDDHIST_MONASTERY", 0},
    {"BUDDHIST_SHRINE", -1},
    {"CONFUCIAN_TEMPLE", 0},
    {"CONFUCIAN_CATHEDRAL", 0},
    {"CONFUCIAN_MONASTERY", 0},
    {"CONFUCIAN_SHRINE", -1},
    {"TAOIST_TEMPLE", 0},
    {"TAOIST_CATHEDRAL", 0},
    {"TAOIST_MONASTERY", 0},
    {"TAOIST_SHRINE", -1},
    {"HEROIC_EPIC", 0},
    {"NATIONAL_EPIC", 0},
    {"GLOBE_THEATRE", 0},
    {"HERMITAGE", 0},
    {"OXFORD_UNIVERSITY", 0},
    {"WALL_STREET", 0},
    {"IRON_WORKS", 0},
    {"WEST_POINT", 0},
    {"MT_RUSHMORE", 0},
    {"RED_CROSS", 0},
    {"SCOTLAND_YARD", 0},
    {"PYRAMID", 0},
    {"STONEHENGE", 0},
    {"GREAT_LIBRARY", 0},
    {"GREAT_LIGHTHOUSE", 0},
    {"HANGING_GARDEN", 0},
    {"COLOSSUS", 0},
    {"ORACLE", 0},
    {"PARTHENON", 0},
    {"ANGKOR_WAT", 0},
    {"HAGIA_SOPHIA", 0},
    {"CHICHEN_ITZA", 0},
    {"SISTINE_CHAPEL", 0},
    {"SPIRAL_MINARET", 0},
    {"NOTRE_DAME", 0},
    {"TAJ_MAHAL", 0},
    {"KREMLIN", 0},
    {"EIFFEL_TOWER", 1250},
    {"STATUE_OF_LIBERTY", 0},
    {"BROADWAY", 0},
    {"ROCKNROLL", 0},
    {"HOLLYWOOD", 0},
    {"GREAT_DAM", 0},
    {"PENTAGON", 0},
    {"UNITED_NATIONS", 0},
    {"SPACE_ELEVATOR", 2000},
    {"MILITARY_ACADEMY", -1},
    {"ARTEMIS", 0},
    {"SANKORE", 0},
    {"GREAT_WALL", 250},
}};
const std::array<TUnitInfoRec, 92> UnitInfo = {{
    {"LION", -1},
    {"BEAR", -1},
    {"PANTHER", -1},
    {"WOLF", -1},
    {"SETTLER", 100},
    {"WORKER", 0},
    {"INDIAN_FAST_WORKER", 0},
    {"SCOUT", 15},
    {"EXPLORER", 0},
    {"SPY", 0},
    {"JEWISH_MISSIONARY", 0},
    {"CHRISTIAN_MISSIONARY", 0},
    {"ISLAMIC_MISSIONARY", 0},
    {"HINDU_MISSIONARY", 0},
    {"BUDDHIST_MISSIONARY", 0},
    {"CONFUCIAN_MISSIONARY", 0},
    {"TAOIST_MISSIONARY", 0},
    {"WARRIOR", 15},
    {"INCAN_QUECHUA", 0},
    {"SWORDSMAN", 0},
    {"AZTEC_JAGUAR", 0},
    {"CELTIC_GALLIC_WARRIOR", 0},
    {"ROME_PRAETORIAN", 0},
    {"AXEMAN", 0},
    {"MACEMAN", 0},
    {"JAPAN_SAMURAI", 0},
    {"VIKING_BESERKER", 0},
    {"SPEARMAN", 0},
    {"GREEK_PHALANX", 0},
    {"ZULU_IMPI", 0},
    {"PIKEMAN", 0},
    {"MUSKETMAN", 0},
    {"FRENCH_MUSKETEER", 0},
    {"OTTOMAN_JANISSARY", 0},
    {"RIFLEMAN", 0},
    {"ENGLISH_REDCOAT", 0},
    {"GRENADIER", 0},
    {"INFANTRY", 0},
    {"SAM_INFANTRY", 0},
    {"MARINE", 0},
    {"AMERICAN_NAVY_SEAL", 0},
    {"MECHANIZED_INFANTRY", 0},
    {"ARCHER", 0},
    {"MALI_SKIRMISHER", 0},
    {"LONGBOWMAN", 0},
    {"CROSSBOWMAN", 0},
    {"CHINA_CHOKONU", 0},
    {"CHARIOT", 0},
    {"EGYPT_WARCHARIOT", 0},
    {"PERSIA_IMMORTAL", 0},
    {"HORSE_ARCHER", 0},
    {"CARTHAGE_NUMIDIAN_CAVALRY", 0},
    {"MONGOL_KESHIK", 0},
    {"KNIGHT", 0},
    {"ARABIA_CAMELARCHER", 0},
    {"SPANISH_CONQUISTADOR", 0},
    {"CAVALRY", 0},
    {"RUSSIA_COSSACK", 0},
    {"WAR_ELEPHANT", 0},
    {"TANK", 0},
    {"GERMAN_PANZER", 0},
    {"MODERN_ARMOR", 240},
    {"GUNSHIP", 0},
    {"CATAPULT", 0},
    {"KOREAN_HWACHA", 0},
    {"TREBUCHET", 0},
    {"CANNON", 0},
    {"MACHINE_GUN", 0},
    {"ARTILLERY", 0},
    {"WORKBOAT", 0},
    {"GALLEY", 0},
    {"TRIREME", 0},
    {"CARAVEL", 0},
    {"GALLEON", 0},
    {"FRIGATE", 0},
    {"IRONCLAD", 0},
    {"TRANSPORT", 0},
    {"DESTROYER", 0},
    {"BATTLESHIP", 0},
    {"SUBMARINE", 0},
    {"CARRIER", 0},
    {"FIGHTER", 0},
    {"JET_FIGHTER", 0},
    {"BOMBER", 0},
    {"STEALTH_BOMBER", 0},
    {"ICBM", 500},
    {"PROPHET", -1},
    {"ARTIST", -1},
    {"SCIENTIST", -1},
    {"MERCHANT", -1},
    {"ENGINEER", -1},
    {"GREAT_GENERAL", -1},
}};
// clang-format on

}  // namespace vsl

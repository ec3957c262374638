// Control identifiers of the parameter page's dialog template.
#pragma once

namespace sb::param_ctl {

inline constexpr int kCutSheet = 1061;
inline constexpr int kFrontTractor = 1062;
inline constexpr int kRearTractor = 1063;
inline constexpr int kIntakeTime = 1064;
inline constexpr int kCutSheetSpin = 1055;
inline constexpr int kFrontTractorSpin = 1056;
inline constexpr int kRearTractorSpin = 1057;
inline constexpr int kIntakeTimeSpin = 1060;

inline constexpr int kFont1 = 1058;
inline constexpr int kFont2 = 1059;
inline constexpr int kKanjiTable = 1066;
inline constexpr int kAutoReturnTime = 1068;
inline constexpr int kAgaRetryTime = 1075;
inline constexpr int kLfSheetGuide = 1067;
inline constexpr int kLfSheetFeeder = 1071;
inline constexpr int kLfFrontTractor = 1072;
inline constexpr int kLfRearTractor = 1073;

inline constexpr int kPostcardOff = 1065;
inline constexpr int kPostcardOn = 1018;

} // namespace sb::param_ctl

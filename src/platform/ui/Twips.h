#pragma once
// Window sizes are designed in twips: 15 twips to a logical pixel. Qt scales logical pixels by the
// screen's device pixel ratio, so the same size looks the same on a high-density screen.
#include <cmath>

inline int TwipsAPixeles(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

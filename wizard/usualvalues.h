#pragma once

namespace kobalin {

// Values no compaction layer has: an offset beyond ten metres either way or a
// target speed outside walking pace to a fast roller. Such a value is most
// likely a typing or a spreadsheet slip (125 for 1.25), so the layer editor,
// the tree, the drawing and the layer-file reader point at it; none refuses it.
inline constexpr double kUsualOffsetMin = -10.0;  // m
inline constexpr double kUsualOffsetMax = 10.0;   // m
inline constexpr double kUsualSpeedMin = 0.5;     // km/h
inline constexpr double kUsualSpeedMax = 30.0;    // km/h

inline bool isUsualOffset(double metres) { return metres >= kUsualOffsetMin && metres <= kUsualOffsetMax; }

inline bool isUsualSpeed(double kmh) { return kmh >= kUsualSpeedMin && kmh <= kUsualSpeedMax; }

}  // namespace kobalin

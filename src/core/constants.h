// Fixed geometry and constants of the camera's snapshot record.
#pragma once

#include <cstddef>

namespace calivue {

inline constexpr int kWidth = 320;
inline constexpr int kHeight = 240;
inline constexpr int kPixels = kWidth * kHeight;    // 76,800
inline constexpr std::size_t kRecordSize = 154133;  // one .qvx record
inline constexpr std::size_t kHeaderSize = 533;     // bytes before the pixels
inline constexpr int kMaxCursors = 10;
inline constexpr int kMarkerCount = 12;  // 10 cursors, coldest, hottest
inline constexpr int kColdestMarker = 10;
inline constexpr int kHottestMarker = 11;
inline constexpr double kKelvinOffset = 273.2;  // the camera's kelvin scale
inline constexpr int kMaxInterpolation = 8;

}  // namespace calivue

// The product's name and notice, shared by the version data, the main
// window's notice line and the About window.
#pragma once

// The notice holds one character of two bytes in UTF-8 (the copyright sign).
inline constexpr char kProductName[] = "Tesmora";
inline constexpr char kNotice[] = "\u00A9 2019-2020 The Tesmora Authors";

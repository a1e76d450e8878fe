#pragma once

// The caption of every message box, and of the main window while the mod has
// no file.
inline constexpr char ApplicationTitle[] = "Zarvik's ML Utility";

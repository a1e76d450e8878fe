#pragma once

#include <QSettings>

#include <memory>

// The per-user settings store: application "ZarvikSoft", section
// "ModLoader", in the platform's own store (the registry on Windows, a file
// in the user's configuration folder elsewhere). Where that file is a pipe,
// a device or a folder, the store starts empty and keeps nothing, never
// waiting on it or putting a file in its place. One implementation per
// platform.
std::unique_ptr<QSettings> openSettingsStore();

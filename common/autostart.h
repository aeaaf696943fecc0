#pragma once

// Whether this program starts with the user's desktop session: the system's own autostart
// list is the truth, not the settings.
bool isAutoStartEnabled();

// Adds or removes this program's entry; true when the entry now starts this program.
bool setAutoStart(bool enable);

#pragma once

#include <QString>

// The name a program shows: application name, single-instance key, window and message titles.
// The theme editor is the same code as the client under a name of its own, so each program
// states its name once, first thing in main(); before that (and in tests) it is the build's.
// The machine-wide data folder stays the build's, since the programs of one build share it.
namespace Product {

QString name();
void setName(const QString &name);

// The editor's name; a program with this name runs in theme-editor mode.
QString themeEditorName();
bool isThemeEditor();

} // namespace Product

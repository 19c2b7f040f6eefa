#pragma once

#include <QString>

class WindowSet;
class WidgetInteraction;

// For the screenshot script: once the first journal pass has run, saves a
// picture of every visible window (and of the settings window) into `dir` as
// <window>.png, then quits. Dialogs are only recorded meanwhile.
// Saves a picture of every window once the first pass is shown, or extraMs
// after it, then ends the program.
void takeScreenshotsAfterFirstPass(WindowSet& windows, WidgetInteraction& ui, const QString& dir,
                                   int extraMs = 0);

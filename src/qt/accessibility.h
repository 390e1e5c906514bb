// What a screen reader finds in the game's windows. Every window's controls
// are read from its model: a clickable label is a button named by its text,
// a value is named by its caption and itself ("Здоровье: 80%"), a text box or
// list by its caption, and pictures, shapes and a title's shadow are not
// there at all. The message line is a notification: each message reaches
// the reader once, whole, when it starts to type, not letter by letter.
#pragma once

#include <QString>

#include "windows/forms/form.h"

class QWidget;

namespace kalvitor::qt {

class GameLabel;

// Installs the game's accessible interfaces; call once the application exists.
void InstallAccessibility();

// The name a screen reader gives a control of a window. For the message line
// (whose name is the message it types) it is what the line shows.
QString ReaderName(const Form& form, const Control& control);

// Whether the control is left out of what a reader finds: decoration, and a
// caption whose value label already says it.
bool HiddenFromReader(const Form& form, const Control& control);

// The message line starts typing `message`: the reader hears it now, whole.
void AnnounceMessage(GameLabel* line, const QString& message);
// The message has left the line.
void EndMessage(GameLabel* line);

}  // namespace kalvitor::qt

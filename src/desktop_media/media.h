// The game's pictures and sounds: backgrounds, the dialogs' pictures and
// effects compiled into the program as resources; the player of effects and music is in audio.h.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "audio.h"

namespace kalvitor::media {

// A background picture by name in any letter case ("net" is NET); a null
// image when there is no such resource or it does not decode.
QImage Background(const QString& name);
bool HasBackground(const QString& name);
// A picture of an Image control by name in any letter case, painted at twice
// the control's size; a null image when there is none.
QImage Picture(const QString& name);
// The WAVE bytes of an effect by name in any letter case; empty when missing.
QByteArray EffectBytes(const QString& name);

}  // namespace kalvitor::media

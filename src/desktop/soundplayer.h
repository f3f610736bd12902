// Playing a voice annotation (.wav) in the background, like a system sound: the call returns
// at once and a new sound replaces the one still playing.
#pragma once

#include <QString>

namespace calivue {

// Whether sound can be played at all: Qt Multimedia is built in and an audio output exists.
bool soundOutputAvailable();

// Starts playing `wavPath`. Returns false, and plays nothing, when the file does not exist or
// no audio output is available; a file that turns out not to be a playable sound is silently
// not played. Needs a QCoreApplication with an event loop.
bool playSound(const QString& wavPath);

// Stops the sound that is playing, if any.
void stopSound();

}  // namespace calivue

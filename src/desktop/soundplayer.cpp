#include "desktop/soundplayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

#ifdef CALIVUE_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#endif

namespace calivue {

#ifdef CALIVUE_HAVE_MULTIMEDIA

namespace {

// One effect for the whole program, owned by the application object so that it goes before
// the multimedia back end does.
QSoundEffect* effect()
{
    static QPointer<QSoundEffect> instance;
    if (!instance && QCoreApplication::instance())
        instance = new QSoundEffect(QCoreApplication::instance());
    return instance;
}

}  // namespace

bool soundOutputAvailable()
{
    return QCoreApplication::instance() && !QMediaDevices::audioOutputs().isEmpty();
}

bool playSound(const QString& wavPath)
{
    if (!QFileInfo(wavPath).isFile() || !soundOutputAvailable()) return false;
    QSoundEffect* sound = effect();
    if (!sound) return false;
    sound->stop();
    sound->setSource(QUrl::fromLocalFile(QFileInfo(wavPath).absoluteFilePath()));
    sound->play();
    return true;
}

void stopSound()
{
    if (QSoundEffect* sound = effect()) sound->stop();
}

#else  // built without Qt Multimedia: voice annotations are not played

bool soundOutputAvailable()
{
    return false;
}

bool playSound(const QString&)
{
    return false;
}

void stopSound() {}

#endif

}  // namespace calivue

#pragma once

#include <QByteArray>

#include <memory>

// What plays the program's sounds. It lives in a module of its own (zn_sound, beside the
// program) that links Qt Multimedia: the program starts without loading the sound libraries and
// the sound server's, and they load with the first sound.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // synchronous: returns when the sound has ended (or could not play).
    virtual void play(int id, const QByteArray& wave, bool synchronous) = 0;
};

// The module's one entry point, a C function that returns a new output.
inline constexpr char CreateSoundOutputFunction[] = "zn_create_sound_output";

// Loads the module from the program's folder and makes an output; nullptr when the module is
// missing or unusable, and the program is silent.
std::unique_ptr<SoundOutput> LoadSoundOutput();

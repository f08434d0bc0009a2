// The sound module's entry point (see platform/SoundOutput.h).
#include "platform/sound/SoundPlayer.h"

extern "C" Q_DECL_EXPORT SoundOutput* zn_create_sound_output() {
    return new SoundPlayer;
}

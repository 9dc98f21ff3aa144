// The system sounds that go with message kinds and message-box icons.
#include "foundation/SystemSound.h"

#include <mmsystem.h>

namespace {

TSoundPlayer soundPlayer = PlaySoundA;

const char* AliasOfKind(int kind)
{
    switch (kind) {
    case 16: return "SystemHand";
    case 32: return "SystemQuestion";
    case 48: return "SystemExclamation";
    case 64: return "SystemAsterisk";
    default: return ".Default";
    }
}

} // namespace

TSoundPlayer ReplaceSoundPlayer(TSoundPlayer player)
{
    TSoundPlayer previous = soundPlayer;
    soundPlayer = player ? player : PlaySoundA;
    return previous;
}

void PlaySystemSound(int kind)
{
    soundPlayer(AliasOfKind(kind), nullptr, SND_ALIAS | SND_NOWAIT | SND_ASYNC);
}

int SoundKindForIcon(int iconId)
{
    switch (iconId) {
    case 32513: return 16; // IDI_HAND
    case 32514: return 32; // IDI_QUESTION
    case 32515: return 48; // IDI_EXCLAMATION
    case 32516: return 64; // IDI_ASTERISK
    default: return 0;
    }
}

void PlaySoundForIcon(int iconId) { PlaySystemSound(SoundKindForIcon(iconId)); }

// Win32 multimedia (winmm): playing wave sounds with PlaySoundA.
#pragma once

#include "platform/win32/base_types.h"

#ifndef ERROR_INVALID_DATA
#define ERROR_INVALID_DATA 13L
#endif
#ifndef ERROR_BUSY
#define ERROR_BUSY 170L
#endif

// PlaySoundA plays a wave file image (SND_MEMORY: pszSound points at the
// bytes, "RIFF" ... "WAVE", whose RIFF size says how long it is) through
// the desktop's audio output (SDL's audio). One sound plays at a time: a new
// one stops the one before, and PlaySoundA(NULL, ...) stops it. With
// SND_ASYNC the call returns at once (the samples are copied first, so the
// caller's bytes need not outlive the call); SND_LOOP repeats the sound
// until it is stopped and needs SND_ASYNC. Without SND_ASYNC the call
// returns when the sound has played.
//
// FALSE and the last error: a sound that is no wave image
// ERROR_INVALID_DATA, SND_LOOP without SND_ASYNC or a missing SND_MEMORY
// (sounds by file or alias name are not supported) ERROR_INVALID_PARAMETER,
// no audio output on this machine (no device, or none that starts)
// ERROR_NOT_SUPPORTED, SND_NOSTOP while a sound plays ERROR_BUSY. Nothing
// ever waits for an audio device that is not there.
#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_FILENAME 0x00020000L

BOOL PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

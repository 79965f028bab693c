// Multimedia time: the timer capabilities, the timer resolution and the system time.
#pragma once

#include "platform/base/types.h"

using MMRESULT = UINT;
#define TIMERR_NOERROR 0u
#define TIMERR_NOCANDO 97u
#define MMSYSERR_NOERROR 0u
#define MMSYSERR_ERROR 1u
#define MMSYSERR_INVALPARAM 11u

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
using LPTIMECAPS = TIMECAPS*;

#define TIME_MS 0x0001u
#define TIME_SAMPLES 0x0002u
#define TIME_BYTES 0x0004u

struct MMTIME {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
        BYTE reserved[8];  // keeps the record at its 12 bytes
    } u;
};
using LPMMTIME = MMTIME*;

// Fills the 8-byte capabilities (finest and coarsest period in milliseconds; on the
// host 1 and 1000000). TIMERR_NOERROR, or TIMERR_NOCANDO for a null pointer or a size
// other than 8.
MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);

// Raises the timer resolution to the given period until the matching timeEndPeriod;
// calls nest. On the host this tightens the timer slack of the calling thread (1 us
// instead of 50 us) until the last period ends. TIMERR_NOERROR, or TIMERR_NOCANDO for
// a period outside the capabilities (timeBeginPeriod) or one that was not begun
// (timeEndPeriod).
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

// Milliseconds on the monotonic multimedia clock, wrapping modulo 2^32.
DWORD timeGetTime();

// The same clock into an MMTIME of type TIME_MS (size 12). TIMERR_NOERROR, or
// MMSYSERR_INVALPARAM for a null pointer or another size.
MMRESULT timeGetSystemTime(LPMMTIME time, UINT size);

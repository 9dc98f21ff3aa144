// LocalClock: today's date and the time of day from the local clock of the system.
#pragma once

#include "foundation/DateTime.h"

TDate Today();
TTime Now(); // with milliseconds; the flag is set
// The local date and time counted in seconds from 1 January 1970, 00:00.
long long LocalSecondsSince1970();

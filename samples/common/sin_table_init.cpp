// The samples' start-up of their maths: the table, and a seed that differs per run.
// Kept apart from the maths so that code using only the table does not need the clock.
#include "common/fixed_math.h"
#include "platform/mm/mmsystem.h"

void InitSinTable() {
    BuildSinTable();
    SeedRand(timeGetTime());
}

// The sine table, the angle of a vector and the random numbers of the samples.
#include "common/fixed_math.h"

#include <cmath>
#include <numbers>

#include "platform/mm/mmsystem.h"

namespace {

std::int32_t g_sinTable[kAngleSteps];
unsigned g_randState = 0;

}  // namespace

void BuildSinTable() {
    for (int i = 0; i < kAngleSteps; ++i)
        g_sinTable[i] =
            static_cast<std::int32_t>(std::sin(i * 2 * std::numbers::pi / kAngleSteps) * 65536.0);
}

void InitSinTable() {
    BuildSinTable();
    SeedRand(timeGetTime());  // a different sky every run
}

std::int32_t Sin(int angle) { return g_sinTable[angle & (kAngleSteps - 1)]; }

std::int32_t Cos(int angle) { return g_sinTable[(angle + kQuarterTurn) & (kAngleSteps - 1)]; }

int GetAngle(std::int32_t dx, std::int32_t dy) {
    constexpr double kInversePi = 0.3183098861837907;
    return static_cast<int>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 2048 *
                            kInversePi);
}

unsigned Rand(unsigned n) {
    g_randState = g_randState * 12869u + 6925u;
    return n ? g_randState % n : g_randState;
}

void SeedRand(unsigned state) { g_randState = state; }

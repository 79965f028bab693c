// The spark benchmark's work written straight on SDL2 against the sparkbench programs.
//
// Both sides run the same game logic (the fireworks and sparks of the object pool, the
// sine table and the random numbers); only drawing and presentation differ. The SDL2
// side, with the dummy video driver, keeps an 8-bit 640x480 surface with the spark
// palette, clears it with SDL_FillRect, draws every spark with a colour-keyed
// SDL_BlitSurface of its 8x8 cell (one surface per cell, so that a blit never clips a
// strip; once with RLE acceleration and once without), expands the palette by blitting
// the 8-bit surface to the window surface and presents it with SDL_UpdateWindowSurface.
//
// The programs (sparkbench and sparkbench_hw) run headless as child processes, each
// twice, for a short and a long number of frames; the differences between the two runs
// give the steady-state time per frame, the processor time per frame (rusage of the
// child) and the heap allocations per frame (counted by the allocation counter library
// preloaded into the child, which tells malloc of every library from C++ new).
//
// Options (after the benchmark library's own): --frames=SHORT,LONG (default 300,1500).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/measuring_reporter.h"
#include "common/fixed_math.h"
#include "sparkbench/fireworks.h"

extern char** environ;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kWarmUpFrames = 300;  // the longest-lived spark lasts 97 frames
constexpr unsigned kSeed = 12345;

// ---- the SDL2 side -----------------------------------------------------------------

class SdlSparkScreen {
public:
    explicit SdlSparkScreen(bool rle) { m_ready = Open(rle); }
    ~SdlSparkScreen() {
        for (SDL_Surface* cell : m_cells) SDL_FreeSurface(cell);
        SDL_FreeSurface(m_screen);
        if (m_window) SDL_DestroyWindow(m_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlSparkScreen(const SdlSparkScreen&) = delete;
    SdlSparkScreen& operator=(const SdlSparkScreen&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Error() const { return m_error; }

    void Clear() { SDL_FillRect(m_screen, nullptr, 0); }

    void DrawCell(int x, int y, const RECT& cell) {
        SDL_Rect where{x, y, 8, 8};
        SDL_BlitSurface(m_cells[cell.left / 8], nullptr, m_screen, &where);
    }

    // The 8-bit frame expanded through its palette into the window, and shown.
    void Present() {
        SDL_PumpEvents();
        SDL_Surface* target = SDL_GetWindowSurface(m_window);
        SDL_BlitSurface(m_screen, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(m_window);
    }

private:
    bool Open(bool rle) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return Fail("SDL_InitSubSystem");
        m_window = SDL_CreateWindow("sparkbench on SDL2", 0, 0, kWidth, kHeight, 0);
        if (!m_window) return Fail("SDL_CreateWindow");
        m_screen = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 8, SDL_PIXELFORMAT_INDEX8);
        if (!m_screen) return Fail("SDL_CreateRGBSurfaceWithFormat");

        std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> strip(
            SDL_LoadBMP(VORN_SPARKBENCH_DATA "/spark.bmp"), SDL_FreeSurface);
        if (!strip || !strip->format->palette) return Fail("SDL_LoadBMP spark.bmp (8-bit)");
        SDL_Palette* palette = strip->format->palette;
        const Uint8 key = static_cast<const Uint8*>(strip->pixels)[0];  // top-left pixel
        SDL_SetSurfacePalette(m_screen, palette);
        for (int i = 0; i < kSparkCellCount; ++i) {
            SDL_Surface* cell = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 8, SDL_PIXELFORMAT_INDEX8);
            if (!cell) return Fail("SDL_CreateRGBSurfaceWithFormat");
            m_cells[i] = cell;
            SDL_SetSurfacePalette(cell, palette);
            SDL_Rect source{8 * i, 0, 8, 8};
            SDL_BlitSurface(strip.get(), &source, cell, nullptr);
            SDL_SetColorKey(cell, SDL_TRUE, key);
            SDL_SetSurfaceRLE(cell, rle ? 1 : 0);
        }
        return true;
    }

    bool Fail(const char* what) {
        m_error = std::string(what) + ": " + SDL_GetError();
        return false;
    }

    SDL_Window* m_window = nullptr;
    SDL_Surface* m_screen = nullptr;
    std::array<SDL_Surface*, kSparkCellCount> m_cells{};
    bool m_ready = false;
    std::string m_error;
};

SdlSparkScreen* g_screen = nullptr;

void DrawSparkWithSdl(int x, int y, const RECT& cell) { g_screen->DrawCell(x, y, cell); }

// One frame as the program does it in its first background mode: clear, move and draw
// every record, present. (The program also reads its keys and sets its status line.)
void SdlFrame() {
    g_screen->Clear();
    PoolUpdate();
    PoolDraw();
    g_screen->Present();
}

void SdlSparkFrame(benchmark::State& state) {
    SdlSparkScreen screen(state.range(0) != 0);
    if (!screen.Ready()) {
        state.SkipWithError(screen.Error().c_str());
        return;
    }
    g_screen = &screen;
    BuildSinTable();
    SeedRand(kSeed);  // the same sparks in every run
    g_sparkBench.drawSpark = DrawSparkWithSdl;
    StartSparkBench();
    for (int frame = 0; frame < kWarmUpFrames; ++frame) SdlFrame();

    long sparks = 0;
    for (auto _ : state) {
        SdlFrame();
        sparks += g_sparkBench.sparkCount;
    }
    EndSparkBench();
    g_sparkBench.drawSpark = nullptr;
    g_screen = nullptr;
    state.counters["sparks"] =
        static_cast<double>(sparks) / static_cast<double>(std::max<long>(1, state.iterations()));
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SdlSparkFrame)->ArgName("rle")->Arg(0)->Arg(1)->UseRealTime()->MinTime(2.0);

// ---- the programs ------------------------------------------------------------------

struct ProgramRun {
    bool ok = false;
    long frames = 0;
    double seconds = 0;     // the program's own report: first frame to exit
    double cpuSeconds = 0;  // user + system time of the child
    long mallocs = -1;      // -1: the counter did not report
    long news = -1;
    std::string failure;
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs `program --headless --frames N --report` in its own folder with the allocation
// counter preloaded; its output goes to a temporary file that is parsed afterwards.
ProgramRun RunProgram(const std::string& folder, const std::string& program, long frames) {
    ProgramRun run;
    char outputPath[] = "/tmp/vorn_sparkbench_XXXXXX";
    const int output = mkstemp(outputPath);
    if (output < 0) {
        run.failure = "mkstemp failed";
        return run;
    }

    const std::string path = folder + "/" + program;
    const std::string frameText = std::to_string(frames);
    std::vector<std::string> args = {path, "--headless", "--frames", frameText, "--report"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<std::string> envText;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "LD_PRELOAD=", 11) != 0) envText.emplace_back(*entry);
    envText.push_back("LD_PRELOAD=" VORN_ALLOC_COUNTER);
    std::vector<char*> envp;
    for (std::string& entry : envText) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(output);
    if (spawned != 0) {
        run.failure = "cannot start " + path + ": " + std::strerror(spawned);
        unlink(outputPath);
        return run;
    }

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);

    const std::string text = ReadFile(outputPath);
    unlink(outputPath);
    std::istringstream lines(text);
    bool reported = false;
    for (std::string line; std::getline(lines, line);) {
        if (std::sscanf(line.c_str(), "report: %ld frames in %lf s", &run.frames, &run.seconds) ==
            2)
            reported = true;
        std::sscanf(line.c_str(), "allocations: malloc %ld new %ld", &run.mallocs, &run.news);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        run.failure =
            program + " ended abnormally (status " + std::to_string(status) + "):\n" + text;
    else if (!reported)
        run.failure = program + " printed no report line:\n" + text;
    else
        run.ok = true;
    return run;
}

struct SteadyState {
    double frameSeconds = 0;  // wall time per frame
    double cpuSeconds = 0;    // processor time per frame
    double mallocs = -1;      // per frame; -1 unknown
    double news = -1;
};

// What one more frame costs: the long run minus the short one, per frame.
std::optional<SteadyState> MeasureProgram(const std::string& program, long shortFrames,
                                          long longFrames) {
    const std::string folder = std::string(VORN_SAMPLES_DIR) + "/" + program;
    if (access((folder + "/" + program).c_str(), X_OK) != 0) {
        std::printf("%-14s not built yet (%s/%s)\n", program.c_str(), folder.c_str(),
                    program.c_str());
        return std::nullopt;
    }
    const ProgramRun first = RunProgram(folder, program, shortFrames);
    const ProgramRun second = first.ok ? RunProgram(folder, program, longFrames) : ProgramRun{};
    for (const ProgramRun* run : {&first, &second})
        if (!run->ok) {
            std::printf("%-14s %s\n", program.c_str(), run->failure.c_str());
            return std::nullopt;
        }
    const double frames = static_cast<double>(second.frames - first.frames);
    if (frames <= 0) {
        std::printf("%-14s presented %ld and %ld frames\n", program.c_str(), first.frames,
                    second.frames);
        return std::nullopt;
    }
    SteadyState steady;
    steady.frameSeconds = (second.seconds - first.seconds) / frames;
    steady.cpuSeconds = (second.cpuSeconds - first.cpuSeconds) / frames;
    if (first.mallocs >= 0 && second.mallocs >= 0) {
        steady.mallocs = static_cast<double>(second.mallocs - first.mallocs) / frames;
        steady.news = static_cast<double>(second.news - first.news) / frames;
    }
    return steady;
}

// The SDL2 variant that took the least processor time: on a busy machine the wall time
// says more about the other work than about the drawing.
std::optional<SteadyState> FastestSdlRun(const MeasuringReporter& reporter, std::string& name) {
    std::optional<SteadyState> best;
    for (const auto& [runName, measured] : reporter.All()) {
        if (best && measured.cpuSeconds >= best->cpuSeconds) continue;
        best = SteadyState{measured.wallSeconds, measured.cpuSeconds, -1, -1};
        name = runName;
    }
    return best;
}

void PrintRow(const std::string& name, const SteadyState& state) {
    std::printf("%-22s %9.1f fps  %8.3f ms/frame  %8.3f ms cpu/frame", name.c_str(),
                1.0 / state.frameSeconds, state.frameSeconds * 1e3, state.cpuSeconds * 1e3);
    if (state.mallocs >= 0)
        std::printf("  %.2f malloc + %.2f new/frame", state.mallocs, state.news);
    std::printf("\n");
}

bool ParseFrames(int argc, char** argv, long& shortFrames, long& longFrames) {
    for (int i = 1; i < argc; ++i) {
        if (std::sscanf(argv[i], "--frames=%ld,%ld", &shortFrames, &longFrames) != 2 ||
            shortFrames < 1 || longFrames <= shortFrames) {
            std::fprintf(stderr, "usage: %s [benchmark options] [--frames=SHORT,LONG]\n", argv[0]);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    long shortFrames = 300;
    long longFrames = 1500;
    if (!ParseFrames(argc, argv, shortFrames, longFrames)) return 2;

    MeasuringReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nsteady state (programs: %ld minus %ld frames, headless)\n", longFrames,
                shortFrames);
    std::string sdlName;
    const std::optional<SteadyState> sdl = FastestSdlRun(reporter, sdlName);
    if (sdl) PrintRow("SDL2 (" + sdlName + ")", *sdl);
    for (const char* program : {"sparkbench", "sparkbench_hw"}) {
        const std::optional<SteadyState> sdk = MeasureProgram(program, shortFrames, longFrames);
        if (!sdk) continue;
        PrintRow(program, *sdk);
        if (sdl)
            std::printf("%-22s %.2fx SDL2's frame rate (%.2fx by processor time)\n", "",
                        sdl->frameSeconds / sdk->frameSeconds, sdl->cpuSeconds / sdk->cpuSeconds);
    }
    return 0;
}

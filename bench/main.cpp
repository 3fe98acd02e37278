// lamira-bench: times the cut run on seeded furniture-like jobs and compares
// the fast strip search with the materialising reference search.

#include "jobgenerator.h"

#include "cutting/cutrun.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using lamira::CTree;
using lamira::CutRun;

struct Figures
{
    double seconds = 0;
    long peakKb = 0;
    int sheets = 0;
    int maps = 0;
    double fill = 0;
    std::uint64_t digest = 0;
};

// A digest of everything a result consists of: every map's size and count,
// every node's geometry and flags and the detail record on it.
std::uint64_t digestOf(const CutRun &run)
{
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) {
        h ^= v;
        h *= 1099511628211ull;
    };
    for (const auto &slot : run.MapStore.Slots()) {
        for (const auto &map : slot.Maps) {
            mix(std::uint64_t(map->Count));
            std::vector<const CTree *> stack{map.get()};
            while (!stack.empty()) {
                const CTree *n = stack.back();
                stack.pop_back();
                mix(std::uint64_t(n->Left) << 32 | std::uint32_t(n->Top));
                mix(std::uint64_t(n->Width) << 32 | std::uint32_t(n->Height));
                mix(n->Free);
                if (n->Item) {
                    mix(std::uint64_t(n->Item->RowNo));
                    mix(std::uint64_t(n->Item->Width) << 32 | std::uint32_t(n->Item->Height));
                }
                for (const CTree *c : {n->Below.get(), n->Right.get(), n->Piece.get()}) {
                    if (c)
                        stack.push_back(c);
                }
            }
        }
    }
    for (const auto *d : run.UncutDetails)
        mix(std::uint64_t(d->RowNo));
    return h;
}

Figures cut(int copies, std::uint32_t seed, CutRun::StripSearch search)
{
    const lamira::CutJob job = lamira::GenerateFurnitureJob(copies, seed);
    CutRun run;
    run.Search = search;
    lamira::NullProgress progress;
    const auto start = std::chrono::steady_clock::now();
    run.Run(job, progress);
    const auto stop = std::chrono::steady_clock::now();

    Figures f;
    f.seconds = std::chrono::duration<double>(stop - start).count();
    double detailArea = 0;
    double leafArea = 0;
    for (const auto &slot : run.MapStore.Slots()) {
        detailArea += slot.DetailArea;
        leafArea += slot.SheetArea - slot.KerfArea;
        for (const auto &map : slot.Maps) {
            f.sheets += map->Count;
            ++f.maps;
        }
    }
    f.fill = leafArea > 0 ? detailArea / leafArea * 100 : 0;
    f.digest = digestOf(run);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    f.peakKb = usage.ru_maxrss;
    return f;
}

// Each measurement runs in a child process of its own, so that the peak
// memory is that of the one run.
Figures measure(int copies, std::uint32_t seed, CutRun::StripSearch search)
{
    int fds[2];
    if (pipe(fds) != 0)
        return cut(copies, seed, search);
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const Figures f = cut(copies, seed, search);
        ssize_t written = write(fds[1], &f, sizeof f);
        _exit(written == ssize_t(sizeof f) ? 0 : 1);
    }
    close(fds[1]);
    Figures f;
    ssize_t got = read(fds[0], &f, sizeof f);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != ssize_t(sizeof f))
        std::fprintf(stderr, "lamira-bench: a measurement failed\n");
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    std::uint32_t seed = 2024;
    bool withReference = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = std::uint32_t(std::stoul(argv[++i]));
        else if (!std::strcmp(argv[i], "--no-reference"))
            withReference = false;
        else {
            std::fprintf(stderr, "usage: lamira-bench [--seed N] [--no-reference]\n");
            return 2;
        }
    }

    std::printf("seed %u, 3 materials\n", seed);
    std::printf("%8s %10s %10s %7s %6s %7s %12s %8s %9s\n", "details", "time s", "peak MB",
                "sheets", "maps", "fill %", "reference s", "ratio", "identical");
    for (int copies : {100, 1000, 5000}) {
        const Figures fast = measure(copies, seed, CutRun::StripSearch::Fast);
        std::printf("%8d %10.3f %10.1f %7d %6d %7.2f", copies, fast.seconds,
                    double(fast.peakKb) / 1024, fast.sheets, fast.maps, fast.fill);
        if (withReference && copies <= 1000) {
            const Figures ref = measure(copies, seed, CutRun::StripSearch::Reference);
            std::printf(" %12.3f %8.1f %9s\n", ref.seconds, ref.seconds / fast.seconds,
                        ref.digest == fast.digest ? "yes" : "NO");
        } else {
            std::printf(" %12s %8s %9s\n", "-", "-", "-");
        }
        std::fflush(stdout);
    }
    return 0;
}

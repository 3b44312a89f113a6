// Exports the largest corpus tables with querimo-sql and with mdbtools' mdb-export, output to /dev/null, and
// prints the time of each and the ratio. Usage: export_bench [QUERIMO_SQL] [REPETITIONS]
// (querimo-sql defaults to $QUERIMO_SQL, else bin/querimo-sql of this build.)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Table {
    const char* file;
    const char* name;
};
const Table tables[] = {
    {"northwind-jet4.mdb", "Order Details"}, {"northwind-jet4.mdb", "Orders"},     {"northwind-jet4.mdb", "Customers"},
    {"northwind-jet4.mdb", "Employees"},     {"compIndexTestV2000.mdb", "Table1"}, {"test2V2000.mdb", "MSP_PROJECTS"},
};

struct Timing {
    double wall = 0;  // seconds
    double cpu = 0;   // user + system seconds of the child
};

// Runs the program with its output discarded; returns its times, or a negative wall time on failure.
Timing timedRun(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {-1, 0};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {-1, 0};
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {took.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

fs::path corpusDir()
{
    if (const char* env = std::getenv("QUERIMO_CORPUS")) return env;
    return fs::path(QUERIMO_SOURCE_DIR) / ".." / "shared" / "corpus";
}

std::string defaultQuerimoSql()
{
    if (const char* env = std::getenv("QUERIMO_SQL")) return env;
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" / "querimo-sql").string();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string querimoSql = argc > 1 ? argv[1] : defaultQuerimoSql();
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 20;
    const char* dateFormat = "%Y-%m-%d %H:%M:%S";
    Timing oursTotal, theirsTotal;
    std::printf("%-40s %22s %22s %16s\n", "table", "querimo-sql wall/cpu", "mdb-export wall/cpu", "ratio wall/cpu");
    auto report = [&](const std::string& label, const Timing& ours, const Timing& theirs) {
        std::printf("%-40s %9.2fms %9.2fms %9.2fms %9.2fms %7.2fx %7.2fx\n", label.c_str(),
                    1000 * ours.wall / repetitions, 1000 * ours.cpu / repetitions, 1000 * theirs.wall / repetitions,
                    1000 * theirs.cpu / repetitions, theirs.wall / ours.wall,
                    ours.cpu > 0 ? theirs.cpu / ours.cpu : 0.0);
    };
    for (const Table& t : tables) {
        const std::string file = (corpusDir() / t.file).string();
        if (!fs::exists(file)) {
            std::printf("%-40s missing: %s\n", t.name, file.c_str());
            continue;
        }
        Timing ours, theirs;
        for (int i = 0; i < repetitions; ++i) {
            const Timing a = timedRun({querimoSql, file, "--export", t.name, "--csv"});
            const Timing b = timedRun({"mdb-export", "-b", "hex", "-D", dateFormat, "-T", dateFormat, file, t.name});
            if (a.wall < 0 || b.wall < 0) {
                std::fprintf(stderr, "export of %s failed (querimo-sql %s, mdb-export %s)\n", t.name,
                             a.wall < 0 ? "failed" : "ok", b.wall < 0 ? "failed" : "ok");
                return 1;
            }
            ours.wall += a.wall;
            ours.cpu += a.cpu;
            theirs.wall += b.wall;
            theirs.cpu += b.cpu;
        }
        oursTotal.wall += ours.wall;
        oursTotal.cpu += ours.cpu;
        theirsTotal.wall += theirs.wall;
        theirsTotal.cpu += theirs.cpu;
        report(std::string(t.file) + ": " + t.name, ours, theirs);
    }
    if (oursTotal.wall > 0) report("all", oursTotal, theirsTotal);
    std::printf("ratio = mdb-export time / querimo-sql time, mean of %d runs each, output to /dev/null\n", repetitions);
    return 0;
}

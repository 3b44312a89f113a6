// Exports the largest corpus tables with querimo-sql and with mdbtools' mdb-export, output to /dev/null, and
// prints the time of each and the ratio. Usage: export_bench [QUERIMO_SQL] [REPETITIONS]
// (querimo-sql defaults to $QUERIMO_SQL, else bin/querimo-sql of this build.)
#include <fcntl.h>
#include <spawn.h>
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
    {"northwind-jet4.mdb", "Order Details"},
    {"northwind-jet4.mdb", "Orders"},
    {"northwind-jet4.mdb", "Customers"},
    {"northwind-jet4.mdb", "Employees"},
    {"compIndexTestV2000.mdb", "Table1"},
    {"test2V2000.mdb", "MSP_PROJECTS"},
};

// Runs the program with its output discarded; returns the seconds it took, or a negative value on failure.
double timedRun(const std::vector<std::string>& argv)
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
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
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
    double oursTotal = 0, theirsTotal = 0;
    std::printf("%-40s %12s %12s %8s\n", "table", "querimo-sql", "mdb-export", "ratio");
    for (const Table& t : tables) {
        const std::string file = (corpusDir() / t.file).string();
        if (!fs::exists(file)) {
            std::printf("%-40s missing: %s\n", t.name, file.c_str());
            continue;
        }
        double ours = 0, theirs = 0;
        for (int i = 0; i < repetitions; ++i) {
            const double a = timedRun({querimoSql, file, "--export", t.name, "--csv"});
            const double b = timedRun({"mdb-export", "-b", "hex", "-D", dateFormat, "-T", dateFormat, file, t.name});
            if (a < 0 || b < 0) {
                std::fprintf(stderr, "export of %s failed (querimo-sql %s, mdb-export %s)\n", t.name,
                             a < 0 ? "failed" : "ok", b < 0 ? "failed" : "ok");
                return 1;
            }
            ours += a;
            theirs += b;
        }
        oursTotal += ours;
        theirsTotal += theirs;
        const std::string label = std::string(t.file) + ": " + t.name;
        std::printf("%-40s %10.2fms %10.2fms %7.2fx\n", label.c_str(), 1000 * ours / repetitions,
                    1000 * theirs / repetitions, theirs / ours);
    }
    if (oursTotal > 0)
        std::printf("%-40s %10.2fms %10.2fms %7.2fx  (mdb-export time / querimo-sql time, %d runs each)\n", "all",
                    1000 * oursTotal / repetitions, 1000 * theirsTotal / repetitions, theirsTotal / oursTotal,
                    repetitions);
    return 0;
}

// The command line as the program itself sees it, including entry 0, which
// the end-to-end cases cannot choose: the checker is started here with an
// argument vector of our own and its standard output and status are read back.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    std::string sOut;
    int iStatus = -1;
};

// The build tells the tests where the checker is.
std::string CheckerPath() { return KIVO_CHK_PATH; }

// Starts the checker with exactly the given vector (entry 0 included).
Outcome Start(const std::vector<std::string>& args)
{
    Outcome run;
    const std::string sPath = CheckerPath();
    int fds[2];
    if (sPath.empty() || pipe(fds) != 0) return run;

    std::vector<char*> argv;
    for (const std::string& s : args) argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, sPath.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return run;
    }
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) run.sOut.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.iStatus = WEXITSTATUS(status);
    return run;
}

// The first usage line names the program: "Usage: <name>       <KVO filename>".
std::string FirstUsageLine(const std::string& sOut)
{
    const std::string sTag = "\nUsage: ";
    std::size_t pos = sOut.find(sTag);
    if (pos == std::string::npos) return "";
    std::size_t end = sOut.find('\n', pos + 1);
    return sOut.substr(pos + 1, end - pos - 1);
}

TEST(KivoChkCommandLine, UsageNamesTheBaseNameOfEntryZero)
{
    Outcome run = Start({"/opt/tools/bin/checker"});
    EXPECT_EQ(run.iStatus, 1);
    EXPECT_EQ(run.sOut.rfind("ZIROVIR6 V6.1.4\n\nKIVOfile validation:\n", 0), 0u) << run.sOut;
    EXPECT_EQ(FirstUsageLine(run.sOut), "Usage: checker       <KVO filename>");
    EXPECT_NE(run.sOut.find("\n     : checker  -caution -numbered -ami <AMI filename>\n"), std::string::npos)
        << run.sOut;
}

// The flag passes start at entry 0: a program name that is itself a flag is
// taken off like any other, and the entry that slides into its place is what
// the usage text names.
TEST(KivoChkCommandLine, FlagPassesIncludeEntryZero)
{
    Outcome run = Start({"-caution", "part/a.kvo"});
    EXPECT_EQ(run.iStatus, 1);
    EXPECT_EQ(FirstUsageLine(run.sOut), "Usage: a.kvo       <KVO filename>");

    run = Start({"-NUMBERED", "x.kvo", "y.kvo", "z.kvo"});
    EXPECT_EQ(run.iStatus, 1);
    EXPECT_EQ(FirstUsageLine(run.sOut), "Usage: x.kvo       <KVO filename>");
}

// With nothing left in the vector the usage text still names a program.
TEST(KivoChkCommandLine, EmptiedVectorStillGetsUsage)
{
    Outcome run = Start({"-caution"});
    EXPECT_EQ(run.iStatus, 1);
    EXPECT_EQ(FirstUsageLine(run.sOut), "Usage: kivo_chk       <KVO filename>");
}

}  // namespace

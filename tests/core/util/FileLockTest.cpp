#include "util/FileLock.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "solver/Par.h"
#include "support/AsciiLevel.h"
#include "support/TempFolder.h"

namespace trundlex {
namespace {

using std::chrono::milliseconds;

int thisProcess() {
#ifdef _WIN32
    return ::_getpid();
#else
    return ::getpid();
#endif
}

TEST(FileLockTest, OneHolderAtATimeAndAWaiterGivesUpNamingTheHolder) {
    const testing::TempFolder folder;
    const std::string guarded = folder / "scores.dat";
    {
        const FileLock first(guarded);
        ASSERT_TRUE(first.locked()) << first.error();
        const FileLock second(guarded, milliseconds(30));
        EXPECT_FALSE(second.locked());
        EXPECT_NE(second.error().find("held by process " + std::to_string(thisProcess())),
                  std::string::npos)
            << second.error();
    }
    EXPECT_TRUE(FileLock(guarded, milliseconds(0)).locked()) << "released with its holder";
    EXPECT_FALSE(FileLock(folder / "no folder/scores.dat").locked());
}

#ifndef _WIN32
TEST(FileLockTest, ALockOfAKilledProcessIsFreeAtOnce) {
    const testing::TempFolder folder;
    const std::string guarded = folder / "par.txt";
    int taken[2];
    ASSERT_EQ(::pipe(taken), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const FileLock lock(guarded);
        const char byte = lock.locked() ? 'y' : 'n';
        [[maybe_unused]] const ssize_t n = ::write(taken[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(taken[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    EXPECT_FALSE(FileLock(guarded, milliseconds(0)).locked());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(FileLock(guarded, milliseconds(0)).locked());
    ::close(taken[0]);
    ::close(taken[1]);
}
#endif

TEST(FileLockTest, TwoParCachesOnOneFileKeepBothProgramsPars) {
    const testing::TempFolder folder;
    const std::string path = folder / "par.txt";
    Level first = testing::asciiLevel({"#####", "#..o#", "#####"});
    first.setId("first");
    Level second = first;
    second.setId("second");
    ParCache game(path);
    ParCache host(path);
    game.parOf(first);
    host.parOf(second);
    const ParCache later(path);
    EXPECT_TRUE(later.lookup(first));
    EXPECT_TRUE(later.lookup(second));
    EXPECT_TRUE(host.lookup(first)) << "the saving cache learns the other's pars";
}

}  // namespace
}  // namespace trundlex

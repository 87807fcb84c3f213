// A host killed while the plug-in saves its profile: a child process saves a realistic profile
// through Config in a loop, with changing values, and is killed at random moments. After every
// kill the file parses, holds the host's content unchanged and the plug-in's settings of one
// save whole, and no temporary is left that the next save does not clear.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "bench/session/bench_session.h"
#include "bench/session/dialog_user.h"
#include "plugin/exports.h"
#include "settings/pendant_settings.h"
#include "tests/support/host_profile.h"
#include "tests/support/temp_dir.h"

namespace pendant {
namespace {

using testing::MakeHostProfile;
using testing::ReadFile;
using testing::WriteFile;

constexpr int kKills = 100;

// Saves until killed; writes one byte to saved after each save. The session's own folder goes
// into sessions, which the test owns: a killed child cannot remove it.
[[noreturn]] void SaveForever(const std::string& path, unsigned first, int saved,
                              const std::string& sessions) {
  setenv("TMPDIR", sessions.c_str(), 1);
  bench::BenchSession session;
  session.profilePath = path;
  session.Start();
  for (unsigned save = first;; ++save) {
    const std::string value = std::to_string(save);
    QueueDialogTurns(
        {bench::SetFieldsAndClose({{"DelaySteps", value}, {"F1", "label " + value}}, true)});
    ::Config();
    const char done = 1;
    if (write(saved, &done, 1) != 1) _exit(1);
  }
}

TEST(ProfileKillTest, EveryKillDuringSavesLeavesOneWholeProfile) {
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  const std::string sessions = dir.File("sessions");
  std::filesystem::create_directory(sessions);
  const testing::HostProfile host = MakeHostProfile(100 * 1024);
  WriteFile(path, host.Whole());
  std::mt19937 random(1208);
  std::uniform_int_distribution<int> delayUs(0, 20000);
  for (int kill = 0; kill < kKills; ++kill) {
    int saved[2];
    ASSERT_EQ(pipe(saved), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(path, 1 + kill * 100000u, saved[1], sessions);
    close(saved[1]);
    char done = 0;
    ASSERT_EQ(read(saved[0], &done, 1), 1);  // the first save is complete; later ones run
    usleep(delayUs(random));                 // a real process is killed at a real moment
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(saved[0]);  // open until now, so no write of the child ends it before the kill
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

    const std::string content = ReadFile(path);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(content.data(), content.size())) << "kill " << kill;
    ASSERT_EQ(content.substr(0, host.before.size()), host.before) << "kill " << kill;
    ASSERT_TRUE(content.ends_with(host.after)) << "kill " << kill;
    const pugi::xml_node section = document.document_element().child(kSettingsSection);
    const std::string delay = section.child("DelaySteps").text().get();
    const std::string label = section.child("F1").text().get();
    EXPECT_EQ(label, "label " + delay) << "kill " << kill;  // one save's values, both of them
  }

  // Every killed child's session folder is in the test's folder, which goes with the test.
  const auto left = std::distance(std::filesystem::directory_iterator(sessions),
                                  std::filesystem::directory_iterator());
  EXPECT_EQ(left, kKills);
  std::filesystem::remove_all(sessions);

  // A later save clears whatever temporaries the killed processes left behind.
  {
    bench::BenchSession session;
    session.profilePath = path;
    session.Start();
    session.Stop();
  }
  EXPECT_EQ(dir.Names(), std::set<std::string>{"profile.xml"});
}

}  // namespace
}  // namespace pendant

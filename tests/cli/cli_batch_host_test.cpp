// The terminal's batch host: Ctrl+C seen by a job still stops the batch.
#include "cli/cli_batch_host.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include "platform/interrupt.h"

namespace plandock {
namespace {

TEST(CliBatchHost, CtrlCTakenByAJobStaysDownForTheBatch) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX only: Ctrl+C is raised here as SIGINT; on Windows it arrives as a console "
                  "event, which a test cannot send to itself alone";
#else
  std::FILE* out = std::tmpfile();
  CliBatchHost host({false, false, false, stdin, out});
  platform::CatchInterrupts();
  EXPECT_FALSE(host.EscapeHeld());
  std::raise(SIGINT);
  EXPECT_TRUE(host.EscapePressed()) << "the running job's poll";
  EXPECT_TRUE(host.EscapeHeld()) << "the batch's next check point";
  EXPECT_TRUE(host.EscapeHeld());
  EXPECT_FALSE(platform::TakeInterrupt()) << "nothing left for a later run";
  std::fclose(out);
#endif
}

}  // namespace
}  // namespace plandock

// Waiting for work on a worker: a failure of the work comes back as an error,
// never as an exception into the caller.
#include "platform/RunAndWait.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

TEST(RunAndWait, AnExceptionFromTheWorkComesBackAsAnErrorOnAndOffTheMainThread)
{
    const auto throwing = [](const std::stop_token&) { throw std::runtime_error("sem rede"); };
    const auto onMain = platform::runAndWait(throwing);
    EXPECT_FALSE(onMain);
    EXPECT_EQ(onMain.error(), "sem rede");

    platform::Result<void> offMain;
    std::thread([&] { offMain = platform::runAndWait(throwing); }).join();
    EXPECT_FALSE(offMain);
    EXPECT_EQ(offMain.error(), "sem rede");

    EXPECT_TRUE(platform::runAndWait([](const std::stop_token&) {}));
}

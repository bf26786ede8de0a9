#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <string>

#include "exclog/core/EHook.h"

namespace {

struct Call {
    std::intptr_t Handle = 0;
    const void* Buffer = nullptr;
    std::uint32_t Count = 0;
    std::uint32_t* Written = nullptr;
    void* Overlapped = nullptr;
    int Calls = 0;
};
Call LastCall;

// Stands in for a write that fails with a pending overlapped request.
bool PendingWrite(std::intptr_t Handle, const void* Buffer, std::uint32_t Count, std::uint32_t* Written,
                  void* Overlapped)
{
    LastCall = {Handle, Buffer, Count, Written, Overlapped, LastCall.Calls + 1};
    *Written = 0;
    errno = EINPROGRESS;
    return false;
}

bool FdWrite(std::intptr_t Handle, const void* Buffer, std::uint32_t Count, std::uint32_t* Written, void*)
{
    ssize_t n = ::write(static_cast<int>(Handle), Buffer, Count);
    if (n < 0)
        return false;
    *Written = static_cast<std::uint32_t>(n);
    return true;
}

}  // namespace

TEST(ExcLogWriteFile, PassesArgumentsAndFailureThroughUnchanged)
{
    LastCall = {};
    char data[] = {1, 3, 0, 0, 0, 10};
    std::uint32_t written = 99;
    int overlapped = 0;
    errno = 0;
    bool ok = ExcLogWriteFile(PendingWrite, 17, data, sizeof data, &written, &overlapped);
    EXPECT_FALSE(ok);
    EXPECT_EQ(errno, EINPROGRESS);
    EXPECT_EQ(LastCall.Calls, 1);
    EXPECT_EQ(LastCall.Handle, 17);
    EXPECT_EQ(LastCall.Buffer, data);
    EXPECT_EQ(LastCall.Count, 6u);
    EXPECT_EQ(LastCall.Written, &written);
    EXPECT_EQ(LastCall.Overlapped, &overlapped);
    EXPECT_EQ(written, 0u);
}

TEST(ExcLogWriteFile, RealWriteDeliversBytesAndErrors)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const unsigned char frame[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD};
    std::uint32_t written = 0;
    ASSERT_TRUE(ExcLogWriteFile(FdWrite, fds[1], frame, sizeof frame, &written, nullptr));
    EXPECT_EQ(written, sizeof frame);
    unsigned char got[16] = {};
    ASSERT_EQ(::read(fds[0], got, sizeof got), static_cast<ssize_t>(sizeof frame));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(got), sizeof frame),
              std::string(reinterpret_cast<const char*>(frame), sizeof frame));
    ::close(fds[0]);
    ::close(fds[1]);

    errno = 0;
    EXPECT_FALSE(ExcLogWriteFile(FdWrite, fds[1], frame, sizeof frame, &written, nullptr));
    EXPECT_EQ(errno, EBADF);
}

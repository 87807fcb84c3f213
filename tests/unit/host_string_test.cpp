// The host's string object is written in place only when its header says that is safe.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "host/host_string.h"
#include "host/host_string_object.h"

namespace pendant {
namespace {

using Layout = HostStringObject::Layout;

constexpr const char* kJogOff = " Jog OFF. ";

TEST(HostString, AnUnsharedStringWithRoomTakesTheTextInEitherLayout) {
  for (Layout layout : {Layout::CountFirst, Layout::CountLast}) {
    HostStringObject line(layout, 16);
    std::strcpy(line.Chars(), "old");
    line.SetHeader(1, 3, 16);
    EXPECT_TRUE(AssignInPlace(line.Chars(), kJogOff));
    EXPECT_EQ(line.Text(), kJogOff);
    EXPECT_EQ(line.Length(), 10);
    EXPECT_EQ(line.Chars()[10], '\0');
  }
}

TEST(HostString, AnyOtherHeaderLeavesTheObjectUntouched) {
  const struct {
    const char* what;
    int32_t count, length, capacity;
    int nulAt;
  } cases[] = {
      {"shared", 2, 0, 64, 0},
      {"static empty string", -1, 0, 0, 0},
      {"too small", 1, 0, 9, 0},
      {"length above capacity", 1, 5, 4, 5},
      {"negative length", 1, -1, 64, 0},
      {"capacity beyond any host string", 1, 0, 70000, 0},
      {"no NUL at the length", 1, 2, 64, 64},
      {"garbage", 0x41414141, 0x41414141, 0x41414141, 64},
      {"both layouts at once", 1, 1, 1, 1},
  };
  for (Layout layout : {Layout::CountFirst, Layout::CountLast}) {
    for (const auto& c : cases) {
      HostStringObject line(layout, 64);
      std::memset(line.Chars(), 'x', 65);
      line.Chars()[c.nulAt] = '\0';
      line.SetHeader(c.count, c.length, c.capacity);
      const auto before = line.Bytes();
      EXPECT_FALSE(AssignInPlace(line.Chars(), kJogOff)) << c.what;
      EXPECT_EQ(line.Bytes(), before) << c.what;
    }
  }
  EXPECT_FALSE(AssignInPlace(nullptr, kJogOff));
  EXPECT_FALSE(AssignInPlace(reinterpret_cast<char*>(8), kJogOff));
}

// Two pages: the header on the first, the characters at the start of the second.
class StringOnPages : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    void* pages =
        mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(pages, MAP_FAILED);
    base_ = static_cast<char*>(pages);
    const int32_t header[] = {1, 0, 64};
    std::memcpy(Chars() - sizeof header, header, sizeof header);
  }
  void TearDown() override { munmap(base_, 2 * page_); }
  char* Chars() { return base_ + page_; }

  size_t page_ = 0;
  char* base_ = nullptr;
};

TEST_F(StringOnPages, AHeaderThatCannotBeReadIsNeverRead) {
  ASSERT_EQ(mprotect(base_, page_, PROT_NONE), 0);
  EXPECT_FALSE(AssignInPlace(Chars(), kJogOff));
  EXPECT_EQ(Chars()[0], '\0');
}

TEST_F(StringOnPages, CharactersThatCannotBeWrittenAreNotWritten) {
  ASSERT_EQ(mprotect(base_ + page_, page_, PROT_READ), 0);
  EXPECT_FALSE(AssignInPlace(Chars(), kJogOff));
  int32_t length = -1;
  std::memcpy(&length, Chars() - 8, sizeof length);
  EXPECT_EQ(length, 0);
}

TEST_F(StringOnPages, ReadableAndWritableItTakesTheText) {
  EXPECT_TRUE(AssignInPlace(Chars(), kJogOff));
  EXPECT_STREQ(Chars(), kJogOff);
}

}  // namespace
}  // namespace pendant

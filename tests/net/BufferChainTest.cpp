// The send chain: block sizes, reuse of drained blocks and the removal rules.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/IcsBuffer.h"
#include "platform/framework/classes/Object.h"

namespace {

std::vector<int> UnreadCounts(const TIcsBufferLinkedList& list) {
  std::vector<int> counts;
  for (TIcsBuffer* b = list.Head; b; b = b->Next) counts.push_back(b->UnreadCount());
  return counts;
}

std::string Bytes(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += static_cast<char>(i % 251);
  return bytes;
}

struct TChain {
  TIcsBufferHandler handler{nullptr};
  void Write(const std::string& bytes) { handler.Write(bytes.data(), static_cast<int>(bytes.size())); }
  std::string Drain() {
    std::string out;
    while (!handler.ChainEmpty()) {
      const Byte* data = nullptr;
      int count = handler.Peek(data);
      out.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(count));
      handler.Remove(count);
    }
    return out;
  }
};

}  // namespace

TEST(SendChain, GrowsByWholeBlocksAndKeepsTheByteOrder) {
  TChain chain;
  const std::string bytes = Bytes(3000);
  chain.Write(bytes);
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{1460, 1460, 80}));
  EXPECT_EQ(chain.Drain(), bytes);
  EXPECT_EQ(UnreadCounts(chain.handler.FreeList()).size(), 3u);
}

TEST(SendChain, ReusesADrainedBlockBeforeCreatingOne) {
  TChain chain;
  chain.Write(Bytes(3000));
  TIcsBuffer* head = chain.handler.InUse().Head;
  chain.handler.Remove(1460);
  EXPECT_EQ(chain.handler.FreeList().Head, head);
  chain.Write(Bytes(1460));  // fills the 80-byte tail, then needs one more block
  EXPECT_EQ(chain.handler.InUse().Tail, head);
  EXPECT_EQ(chain.handler.FreeList().Head, nullptr);
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{1460, 1460, 80}));
}

TEST(SendChain, RemoveTakesFromTheFirstBlockOnly) {
  TChain chain;
  chain.Write(Bytes(3000));
  chain.handler.Remove(0);
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{1460, 1460, 80}));
  chain.handler.Remove(100);
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{1360, 1460, 80}));
  chain.handler.Remove(5000);
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{1460, 80}));
}

TEST(SendChain, DiscardAllEmptiesTheChainIntoTheFreeList) {
  TChain chain;
  chain.Write(Bytes(3000));
  chain.handler.DiscardAll();
  EXPECT_TRUE(chain.handler.ChainEmpty());
  EXPECT_EQ(UnreadCounts(chain.handler.FreeList()), (std::vector<int>{0, 0, 0}));
}

TEST(SendChain, RemoveRefusesNegativeLengthsAndAnEmptyChain) {
  TChain chain;
  try {
    chain.handler.Remove(1);
    FAIL() << "no exception";
  } catch (Exception& e) {
    EXPECT_EQ(e.Message(), L"TIcsBufferHandler.Remove: nothing to remove");
  }
  chain.Write("x");
  try {
    chain.handler.Remove(-1);
    FAIL() << "no exception";
  } catch (Exception& e) {
    EXPECT_EQ(e.Message(), L"TIcsBufferHandler.Remove: Invalid Len -1");
  }
}

TEST(SendChain, NewBlockSizeAppliesToBlocksCreatedAfterwards) {
  TChain chain;
  chain.handler.BufSize = 100;
  chain.Write(Bytes(250));
  EXPECT_EQ(UnreadCounts(chain.handler.InUse()), (std::vector<int>{100, 100, 50}));
}

// Memory blocks and the growable array, above all when memory runs out:
// a failed growth keeps the old block and count, and says so in a box.
#include <gtest/gtest.h>
#include <cstring>
#include "support/app.h"
#include "support/memory.h"
#include "testsupport/testsupport.h"

namespace {

struct Element {
    int32_t id;
    char name[12];
};

class MemoryTest : public testing::Test {
protected:
    void SetUp() override { App_Init(GetModuleHandleA(nullptr)); }
    void TearDown() override
    {
        Mem_FailAfter(-1);
        Mem_Free(block_);
    }

    void Append(int32_t id)
    {
        Element element = {id, "element"};
        ASSERT_EQ(Array_Append(&block_, &count_, sizeof element, &element), 0);
    }

    const Element* Elements() const { return static_cast<const Element*>(block_); }

    void* block_ = nullptr;
    int count_ = 0;
};

TEST_F(MemoryTest, AppendGrowsAndKeepsEarlierElements)
{
    for (int32_t id = 1; id <= 100; ++id)
        Append(id);
    ASSERT_EQ(count_, 100);
    for (int i = 0; i < count_; ++i)
        EXPECT_EQ(Elements()[i].id, i + 1);
}

TEST_F(MemoryTest, FailedAppendKeepsBlockAndCount)
{
    Append(1);
    Append(2);
    void* before = block_;
    TsBoxAnswerer answer(IDOK);
    Mem_FailAfter(0);
    Element third = {3, "third"};
    EXPECT_EQ(Array_Append(&block_, &count_, sizeof third, &third), -2);
    EXPECT_EQ(block_, before);
    ASSERT_EQ(count_, 2);
    EXPECT_EQ(Elements()[0].id, 1);
    EXPECT_EQ(Elements()[1].id, 2);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text, "Not enough memory !!");

    Mem_FailAfter(-1);
    Append(3);
    EXPECT_EQ(count_, 3);
    EXPECT_EQ(Elements()[2].id, 3);
}

TEST_F(MemoryTest, FailedFirstAppendLeavesNoBlock)
{
    TsBoxAnswerer answer(IDOK);
    Mem_FailAfter(0);
    Element first = {1, "first"};
    EXPECT_EQ(Array_Append(&block_, &count_, sizeof first, &first), -2);
    EXPECT_EQ(block_, nullptr);
    EXPECT_EQ(count_, 0);
    EXPECT_EQ(answer.boxes().size(), 1u);
}

TEST_F(MemoryTest, ResizeTheSystemRefusesKeepsTheOldBlock)
{
    Append(7);
    TsBoxAnswerer answer(IDOK);
    const size_t impossible = SIZE_MAX / 2;
    EXPECT_EQ(Mem_Realloc(block_, impossible), nullptr);
    EXPECT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(Elements()[0].id, 7) << "the old block must stay usable";
    EXPECT_STREQ(Elements()[0].name, "element");
    Append(8);
    EXPECT_EQ(Elements()[1].id, 8);
}

TEST_F(MemoryTest, FailAfterCountsAllocations)
{
    TsBoxAnswerer answer(IDOK);
    Mem_FailAfter(1);
    void* first = Mem_Alloc(16);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(Mem_Alloc(16), nullptr);
    EXPECT_EQ(answer.boxes().size(), 1u);
    Mem_Free(first);
    EXPECT_EQ(Mem_Free(nullptr), 0);
}

}  // namespace

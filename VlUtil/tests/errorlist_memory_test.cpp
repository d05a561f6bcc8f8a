// The error list when memory runs out: built into this test with its own copy
// of the support allocator, so that the allocation can be made to fail.
#include <gtest/gtest.h>
#include "VlUtil/vlutil.h"
#include "support/memory.h"
#include "testsupport/testsupport.h"

namespace {

struct FailureCase {
    const char* name;
    int entriesBefore;
};

const FailureCase failureCases[] = {
    {"the first entry", 0},
    {"a list that has entries", 3},
};

TEST(ErrorListMemory, AnEntryThatCannotBeAddedLeavesTheListAsItWas)
{
    for (const FailureCase& c : failureCases) {
        SCOPED_TRACE(c.name);
        ErrorList_Reset();
        ErrorList_Clear();
        for (int i = 0; i < c.entriesBefore; ++i)
            ErrorList_Insert(0, ErrorKind_Error, 1, std::to_string(i).c_str(), 0, nullptr);

        TsBoxAnswerer answer(IDOK);
        Mem_FailAfter(0);
        int result = ErrorList_Insert(0, ErrorKind_Warning, 2, "lost", 0, nullptr);
        Mem_FailAfter(-1);

        EXPECT_EQ(result, -2);
        ASSERT_EQ(answer.boxes().size(), 1u);
        EXPECT_EQ(answer.boxes()[0].text, "Not enough memory !!");
        ASSERT_EQ(ErrorList_NError(), c.entriesBefore);
        for (int i = 0; i < c.entriesBefore; ++i)
            EXPECT_EQ(ErrorList_IthErrorStr(i), std::to_string(i));
        EXPECT_EQ(ErrorList_Insert(0, ErrorKind_Warning, 2, "kept", 0, nullptr), c.entriesBefore + 1);
        EXPECT_STREQ(ErrorList_IthErrorStr(c.entriesBefore), "kept");
    }
    ErrorList_Clear();
}

}  // namespace

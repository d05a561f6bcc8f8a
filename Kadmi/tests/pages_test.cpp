// Pages and parts through the exports: numbering with gaps, loading and
// saving the page table, copying pages and parts, and the part relations.
#include "kadmi_fixture.h"
#include "support/memory.h"
#include <cstring>

namespace {

// Makes page count pages; page 1 exists after CreateLoaded.
void MakePages(int count)
{
    for (int i = 2; i <= count; ++i)
        ASSERT_EQ(Kadmi_CreatePage(), i);
}

TEST_F(Project, PageNumbersKeepTheirGaps)
{
    CreateLoaded();
    MakePages(5);
    ASSERT_EQ(Kadmi_DeletePage(3), 0);
    ASSERT_EQ(Kadmi_DeletePage(4), 0);
    EXPECT_EQ(Kadmi_DeletePage(4), -2102);
    EXPECT_EQ(Kadmi_NPage(), 3);
    EXPECT_EQ(Kadmi_PageIndex(4), 1);
    EXPECT_EQ(Kadmi_PageIndex(0), -2702);
    EXPECT_EQ(Kadmi_IthPage(2), 5);
    EXPECT_EQ(Kadmi_IthPage(3), -2502);
    EXPECT_EQ(Kadmi_CreatePage(), 6);
    short n = 0;
    short* pages = Kadmi_GetAllPages(&n);
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(std::vector<short>(pages, pages + n), (std::vector<short>{1, 2, 5, 6}));
    Mem_Free(pages);
    EXPECT_EQ(Kadmi_LoadPage(0), -2204);
    EXPECT_EQ(Kadmi_LoadPage(999), -2204);
    EXPECT_EQ(Kadmi_GetCurrentPage(), 1);
}

struct NewPageCase {
    const char* name;
    std::vector<short> pages;     // besides page 1, copies of it
    std::vector<short> deleted;
    short expected;
};

TEST_F(Project, NewPagesFollowTheHighestUntil998IsTakenThenFillGaps)
{
    const NewPageCase cases[] = {
        {"after the highest", {2, 5}, {}, 6},
        {"998 taken: the lowest free number", {998}, {}, 2},
        {"998 taken, 1 deleted", {2, 998}, {1}, 1},
        {"999 taken by a copy", {2, 999}, {}, 3},
    };
    for (const NewPageCase& c : cases) {
        SCOPED_TRACE(c.name);
        CreateLoaded();
        for (short page : c.pages)
            ASSERT_EQ(Kadmi_PageCopy(page, 1), 0);
        for (short page : c.deleted)
            ASSERT_EQ(Kadmi_DeletePage(page), 0);
        EXPECT_EQ(Kadmi_CreatePage(), c.expected);
        EXPECT_EQ(Kadmi_PageCopy(1000, 1), -2802) << "no key for page 1000";
        EXPECT_EQ(Kadmi_DeletePage(1000), -2102);
        ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
        DeleteFileA(file.c_str());
    }
}

TEST_F(Project, OnlyAProjectOf998PagesIsFull)
{
    CreateLoaded();
    for (short page = 2; page <= 998; ++page)
        ASSERT_EQ(Kadmi_CreatePage(), page);
    EXPECT_EQ(Kadmi_CreatePage(), -2002);
    ASSERT_EQ(Kadmi_LoadPage(500), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(Kadmi_CreatePart(), 201, 7), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(KadmiObject_Page, 201, 7), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_DeletePage(500), 0);
    EXPECT_EQ(Kadmi_NPage(), 997);
    EXPECT_EQ(Kadmi_CreatePage(), 500);
    ASSERT_EQ(Kadmi_LoadPage(500), 0);
    EXPECT_EQ(Kadmi_NPart(), 0) << "a reused number holds nothing of its former page";
    Kadmi_GetLongAtt(KadmiObject_Page, 201);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);
    EXPECT_EQ(Kadmi_CreatePage(), -2002);
}

TEST_F(Project, APageStoredUnderANewNumberIsListed)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_LoadPage(5), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(KadmiObject_Page, 201, 5), 0);
    EXPECT_EQ(Kadmi_NPage(), 1) << "not stored yet";
    ASSERT_EQ(Kadmi_SavePage(), 0);
    EXPECT_EQ(Kadmi_NPage(), 2);
    EXPECT_EQ(Kadmi_IthPage(1), 5);
    EXPECT_EQ(Kadmi_PageIndex(5), 1);
    EXPECT_EQ(Kadmi_CreatePage(), 6);
    short n = 0;
    short* pages = Kadmi_GetAllPages(&n);
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(std::vector<short>(pages, pages + n), (std::vector<short>{1, 5, 6}));
    Mem_Free(pages);
}

TEST_F(Project, LoadTakesThePagesOwnPartsOnlyAndDeletedPartsGoAtSave)
{
    CreateLoaded();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(Kadmi_CreatePart(), i);
        ASSERT_EQ(Kadmi_SetLongAtt(i, 201, 100 + i), 0);
    }
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CreatePage(), 2);
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    EXPECT_EQ(Kadmi_NPart(), 0);
    ASSERT_EQ(Kadmi_CreatePart(), 1);
    ASSERT_EQ(Kadmi_SetLongAtt(1, 201, 201), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);

    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_NPart(), 3);
    ASSERT_EQ(Kadmi_DeletePart(3), 0);
    EXPECT_EQ(Kadmi_DeletePart(9), -4103);
    EXPECT_EQ(Kadmi_NPart(), 2);
    EXPECT_EQ(Kadmi_CreatePart(), 4) << "numbers of deleted parts are not reused";
    EXPECT_EQ(Kadmi_GetLongAtt(3, 201), 0);
    EXPECT_EQ(Kadmi_SetLongAtt(3, 201, 1), -6203);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    short n = 0;
    long* parts = Kadmi_GetAllParts(&n);
    ASSERT_NE(parts, nullptr);
    EXPECT_EQ(std::vector<long>(parts, parts + n), (std::vector<long>{1, 2})) << "part 4 had no attribute";
    Mem_Free(parts);
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    EXPECT_EQ(Kadmi_IthPart(0), 1);
    EXPECT_EQ(Kadmi_GetLongAtt(1, 201), 201);
}

TEST_F(Project, AttributesDeletedInMemoryStayDeletedAfterSave)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_CreatePart(), 1);
    for (long object : {long(KadmiObject_Project), long(KadmiObject_Page), 1L})
        ASSERT_EQ(Kadmi_SetLongAtt(object, 201, 7), 0) << object;
    ASSERT_EQ(Kadmi_SavePage(), 0);
    for (long object : {long(KadmiObject_Project), long(KadmiObject_Page), 1L})
        ASSERT_EQ(Kadmi_DeleteAtt(object, 201), 0) << object;
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_NPart(), 1) << "the part stays, without attributes";
    for (long object : {long(KadmiObject_Project), long(KadmiObject_Page), 1L}) {
        Kadmi_GetLongAtt(object, 201);
        EXPECT_EQ(Kadmi_LastAttWasFound(), 0) << object << ": a deleted attribute came back";
    }
}

TEST_F(Project, PageCopyReplacesTheDestinationWholeAndOntoItselfChangesNothing)
{
    CreateLoaded();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(Kadmi_CreatePart(), i);
        ASSERT_EQ(Kadmi_SetIntAtt(i, 101, short(i)), 0);
    }
    ASSERT_EQ(Kadmi_SetStringAtt(KadmiObject_Page, 505, "source"), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CreatePage(), 2);
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    for (int i = 1; i <= 5; ++i)
        ASSERT_EQ(Kadmi_SetIntAtt(Kadmi_CreatePart(), 101, 50), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);

    ASSERT_EQ(Kadmi_PageCopy(2, 1), 0);
    EXPECT_EQ(Kadmi_GetCurrentPage(), -2402) << "the copied-onto page is unloaded";
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    EXPECT_EQ(Kadmi_NPart(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(Kadmi_GetIntAtt(i, 101), i);
    EXPECT_STREQ(Kadmi_GetStringAtt(KadmiObject_Page, 505), "source");

    EXPECT_EQ(Kadmi_PageCopy(1, 1), 0);
    EXPECT_EQ(Kadmi_PageCopy(2, 7), -2802);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_NPart(), 3) << "a page copied onto itself keeps its parts";
    EXPECT_EQ(Kadmi_LoadPage(2), 0);
    EXPECT_EQ(Kadmi_NPart(), 3) << "a missing source leaves the destination";
}

TEST_F(Project, PartCopyAndPartRelations)
{
    CreateLoaded();
    for (int i = 1; i <= 6; ++i)
        ASSERT_EQ(Kadmi_CreatePart(), i);
    struct Lines { long part; short supply, position, exhaust, exPosition; } lines[] = {
        {1, 1, 0, 2, 1}, {2, 1, 1, 2, 0}, {3, 1, 9, 3, 2},
    };
    for (const Lines& l : lines) {
        short v[4] = {l.supply, l.position, l.exhaust, l.exPosition};
        ASSERT_EQ(Kadmi_SetAtt(l.part, 7702, 1, v), 0);
    }
    ASSERT_EQ(Kadmi_SetLongAtt(4, 201, 1), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(5, 7201, 1), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(6, 7201, 5), 0) << "an accessory of an accessory";

    EXPECT_EQ(Kadmi_IthPartS(1, 1), 2);
    EXPECT_EQ(Kadmi_IthPartE(2, 1), 1);
    EXPECT_EQ(Kadmi_IthPartS(4, 0), 0);
    EXPECT_EQ(Kadmi_NPartS(1), 3);
    EXPECT_EQ(Kadmi_NPartE(2), 2);
    short n = -1;
    long* supply = Kadmi_GetAllSupplyParts(1, &n);
    ASSERT_NE(supply, nullptr);
    EXPECT_EQ(n, 2) << "position 9 is beyond the part count and not placed";
    EXPECT_EQ(supply[0], 1);
    EXPECT_EQ(supply[1], 2);
    Mem_Free(supply);
    void* used = Mem_Alloc(6 * sizeof(long));   // leaves non-zero bytes for the next block
    memset(used, 0x55, 6 * sizeof(long));
    Mem_Free(used);
    long* exhaust = Kadmi_GetAllExhaustParts(3, &n);
    ASSERT_NE(exhaust, nullptr);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(exhaust[0], 0) << "positions without a part are zero";
    EXPECT_EQ(exhaust[1], 0);
    EXPECT_EQ(exhaust[2], 3);
    Mem_Free(exhaust);
    EXPECT_EQ(Kadmi_GetAllExhaustParts(7, &n), nullptr);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(Kadmi_IsFunctionalPart(1), 1);
    EXPECT_EQ(Kadmi_IsFunctionalPart(4), 0);
    EXPECT_EQ(Kadmi_IsAccessory(5), 1);
    EXPECT_EQ(Kadmi_NAccessory(1), 1);
    EXPECT_EQ(Kadmi_IthAccessory(1, 0), 5);
    EXPECT_EQ(Kadmi_IthAccessory(1, 1), 0);
    long* acc = Kadmi_GetAllAccessories(5, &n);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(acc[0], 6);
    Mem_Free(acc);

    ASSERT_EQ(Kadmi_PartCopy(4, 1), 0);
    EXPECT_EQ(Kadmi_GetLongAtt(4, 201), 0) << "the destination's own attributes are gone";
    EXPECT_EQ(Kadmi_IsFunctionalPart(4), 1);
    EXPECT_EQ(Kadmi_PartCopy(1, 1), 0);
    EXPECT_EQ(Kadmi_IsFunctionalPart(1), 1) << "copied onto itself, nothing lost";
    EXPECT_EQ(Kadmi_PartCopy(1, 99), -4403);
    EXPECT_EQ(Kadmi_PartCopy(99, 1), -4404);

    ASSERT_EQ(Kadmi_DeletePartA(1), 0);
    EXPECT_EQ(Kadmi_NPart(), 3) << "part 1 with its accessory 5 and 5's accessory 6";
    EXPECT_EQ(Kadmi_IsAccessory(6), 0);
}

TEST_F(Project, DeletePartAStopsAtOwnershipLoops)
{
    CreateLoaded();
    for (int i = 1; i <= 4; ++i)
        ASSERT_EQ(Kadmi_CreatePart(), i);
    ASSERT_EQ(Kadmi_SetLongAtt(1, 7201, 2), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(2, 7201, 1), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(3, 7201, 3), 0);
    ASSERT_EQ(Kadmi_DeletePartA(1), 0);
    EXPECT_EQ(Kadmi_NPart(), 2);
    ASSERT_EQ(Kadmi_DeletePartA(3), 0);
    EXPECT_EQ(Kadmi_IthPart(0), 4);
}

TEST(Parts, OperationsNeedAnOpenFileAndALoadedPage)
{
    EXPECT_EQ(Kadmi_CreatePart(), -4001);
    EXPECT_EQ(Kadmi_NPart(), -4301);
    EXPECT_EQ(Kadmi_CreatePage(), -1601);
    EXPECT_EQ(Kadmi_SavePage(), -1601);
    EXPECT_EQ(Kadmi_GetAllParts(nullptr), nullptr);
    TempFolder dir;
    ASSERT_EQ(Kadmi_CreateDatabasefile(dir.Path("p.wdf").c_str()), 0);
    EXPECT_EQ(Kadmi_CreatePart(), -4002);
    EXPECT_EQ(Kadmi_DeletePart(1), -4102);
    EXPECT_EQ(Kadmi_IthPartS(1, 1), -4402);
    EXPECT_EQ(Kadmi_SavePage(), -2302);
    EXPECT_EQ(Kadmi_GetCurrentPage(), -2402);
    EXPECT_EQ(Kadmi_CloseDatabasefile(0), 0);
}

}  // namespace

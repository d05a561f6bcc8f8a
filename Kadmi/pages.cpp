// Pages: the page table of the loaded page, and the page operations on the
// stored records (create, delete, copy, scans of the page numbers).
#include "kadmi_int.h"
#include <algorithm>

namespace {

// Fetches a stored record, or makes it in memory when it is not stored.
ddq_record* FetchOrMake(short db, const char* key)
{
    ddq_record* rec = ddq_findkey(db, kClass, key, DDQ_FIND_EXACT);
    return rec ? rec : ddq_newrecord(db, kClass, key);
}

// True when the entry's record is stored in the file already.
bool IsStored(const PageEntry& e)
{
    char key[kKeySize];
    return Key_Object(K().loadedPage, e.id, key) && ddq_lookupkey(K().db, kClass, key) == 1;
}

// Numbers go on after the highest page; once number 998 is taken, the lowest
// free number is reused, so that only a project of 998 pages is full. 0: full.
short NewPageNumber(const std::vector<short>& pages)
{
    if (pages.empty() || pages.back() < kHighestPage)
        return pages.empty() ? short(1) : short(pages.back() + 1);
    short expected = 1;
    for (short page : pages) {
        if (page != expected)
            return expected;
        ++expected;
    }
    return 0;
}

}  // namespace

const std::vector<short>& Pages_Existing()
{
    auto& g = K();
    if (!g.pagesKnown) {
        g.pageNumbers.clear();
        for (short n = 1; n <= 999; ++n)
            if (Page_Exists(g.db, n))
                g.pageNumbers.push_back(n);
        g.pagesKnown = true;
    }
    return g.pageNumbers;
}

void Pages_Forget()
{
    K().pagesKnown = false;
}

void Pages_Add(short page)
{
    auto& g = K();
    if (!g.pagesKnown)
        return;
    auto at = std::lower_bound(g.pageNumbers.begin(), g.pageNumbers.end(), page);
    if (at == g.pageNumbers.end() || *at != page)
        g.pageNumbers.insert(at, page);
}

void PageTable_Release()
{
    auto& g = K();
    for (PageEntry& e : g.pages)
        ddq_freerecord(e.record);
    g.pages.clear();
    g.pages.shrink_to_fit();
    g.loadedPage = 0;
}

short PageTable_Load(short page)
{
    auto& g = K();
    PageTable_Release();
    char key[kKeySize];
    Key_Page(page, key);
    try {
        g.pages.reserve(2);
        ddq_record* project = FetchOrMake(g.db, kProjectKey);
        ddq_record* own = FetchOrMake(g.db, key);
        if (!project || !own) {
            ddq_freerecord(project);
            ddq_freerecord(own);
            return -2202;
        }
        g.pages.push_back({KadmiObject_Project, project, false});
        g.pages.push_back({KadmiObject_Page, own, false});
        bool noMemory = false;
        Page_WalkParts(g.db, page, [&](ddq_record* rec, long part) {
            if (noMemory) {
                ddq_freerecord(rec);
                return;
            }
            try {
                g.pages.push_back({part, rec, false});
            } catch (const std::bad_alloc&) {
                ddq_freerecord(rec);
                noMemory = true;
            }
        });
        if (noMemory) {
            PageTable_Release();
            return -2203;
        }
    } catch (const std::bad_alloc&) {
        PageTable_Release();
        return -2203;
    }
    g.loadedPage = page;
    return 0;
}

PageEntry* PageTable_Find(long object)
{
    auto& g = K();
    if (g.loadedPage == 0 || g.pages.size() < 2)
        return nullptr;
    if (object == KadmiObject_Project)
        return &g.pages[0];
    if (object == KadmiObject_Page)
        return &g.pages[1];
    for (size_t i = 2; i < g.pages.size(); ++i)
        if (g.pages[i].id == object)
            return g.pages[i].deleted ? nullptr : &g.pages[i];
    return nullptr;
}

short WINAPI Kadmi_CreatePage()
{
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    const short page = NewPageNumber(Pages_Existing());
    if (page == 0)
        return EndTransaction(-2002);
    char key[kKeySize];
    Key_Page(page, key);
    ddq_record* rec = ddq_newrecord(K().db, kClass, key);
    short rc = rec ? ddq_writerecord(K().db, rec) : short(DDQ_ENOMEM);
    ddq_freerecord(rec);
    if (rc != 0) {
        K().lastEngine = rc;
        return EndTransaction(-2004);
    }
    Pages_Add(page);
    return EndTransaction(page);
}

short WINAPI Kadmi_DeletePage(short page)
{
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    if (page == K().loadedPage)
        PageTable_Release();
    return EndTransaction(Page_DeleteStored(K().db, page) ? -2102 : 0);
}

short WINAPI Kadmi_LoadPage(short page)
{
    if (page < 1 || page > kHighestPage)
        return -2204;
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    return EndTransaction(PageTable_Load(page));
}

short WINAPI Kadmi_SavePage()
{
    auto& g = K();
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    if (g.pages.empty())
        return EndTransaction(-2302);
    for (PageEntry& e : g.pages) {
        if (e.deleted) {
            char key[kKeySize];
            if (Key_Part(g.loadedPage, e.id, key))
                ddq_deleterecord(g.db, kClass, key);
        } else if (Record_HasAttributes(g.db, e.record) || IsStored(e)) {
            // A stored record whose attributes were all deleted is written
            // empty, or its former attributes would come back at the next load.
            if (short rc = ddq_writerecord(g.db, e.record); rc != 0) {
                g.lastEngine = rc;
                return EndTransaction(-2303);
            }
        }
    }
    // A page loaded by its number before it existed exists once its record
    // is written: the page list shows it from now on.
    if (Page_Exists(g.db, g.loadedPage))
        Pages_Add(g.loadedPage);
    return EndTransaction(0);
}

short WINAPI Kadmi_GetCurrentPage()
{
    if (K().db < 0)
        return -2401;
    return K().loadedPage ? K().loadedPage : short(-2402);
}

short WINAPI Kadmi_IthPage(short i)
{
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    const std::vector<short>& pages = Pages_Existing();
    return EndTransaction(i >= 0 && size_t(i) < pages.size() ? pages[size_t(i)] : short(-2502));
}

short WINAPI Kadmi_NPage()
{
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    return EndTransaction(short(Pages_Existing().size()));
}

short WINAPI Kadmi_PageIndex(short page)
{
    if (page < 1 || page > 999)
        return -2702;
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    const std::vector<short>& pages = Pages_Existing();
    auto upTo = std::upper_bound(pages.begin(), pages.end(), page);
    return EndTransaction(short(upTo - pages.begin() - 1));
}

short WINAPI Kadmi_PageCopy(short destination, short source)
{
    auto& g = K();
    if (short rc = BeginTransaction(); rc != 0)
        return rc;
    char key[kKeySize];
    if (!Page_Exists(g.db, source) || !Key_Page(destination, key))
        return EndTransaction(-2802);
    if (destination == source)
        return EndTransaction(0);
    if (destination == g.loadedPage)
        PageTable_Release();
    Page_DeleteStored(g.db, destination);
    short rc = Page_CopyStored(g.db, source, g.db, destination, nullptr, 0);
    if (rc != 0) {
        g.lastEngine = rc;
        return EndTransaction(-2804);
    }
    return EndTransaction(0);
}

short* WINAPI Kadmi_GetAllPages(short* n)
{
    if (n)
        *n = 0;
    auto* pages = static_cast<short*>(Mem_Alloc(1000 * sizeof(short)));
    if (!pages)
        return nullptr;
    if (BeginTransaction() != 0) {
        Mem_Free(pages);
        return nullptr;
    }
    const std::vector<short>& existing = Pages_Existing();
    std::copy(existing.begin(), existing.end(), pages);
    EndTransaction(0);
    if (n)
        *n = short(existing.size());
    return pages;
}

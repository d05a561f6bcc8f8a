// Parts of the loaded page: creation and deletion in the page table, copying
// attributes between parts, and the queries over supply and exhaust lines
// and accessories.
#include "kadmi_int.h"
#include <algorithm>
#include <set>

namespace {

// -NN01 when nothing is open, -NN02 when no page is loaded, else 0.
short PartPrecondition(short block)
{
    if (K().db < 0)
        return short(-(block * 100 + 1));
    if (K().loadedPage == 0)
        return short(-(block * 100 + 2));
    return 0;
}

// Calls visit(entry) for each part that is not deleted, in table order.
template <typename Visit> void ForEachLivePart(Visit visit)
{
    auto& pages = K().pages;
    for (size_t i = 2; i < pages.size(); ++i)
        if (!pages[i].deleted)
            visit(pages[i]);
}

// {supply line, position, exhaust line, position} of a functional part.
bool ReadLines(const PageEntry& e, short lines[4])
{
    short count;
    memset(lines, 0, 4 * sizeof(short));
    return ddq_getfield(K().db, e.record, kAttLines, &count, lines, 4 * sizeof(short)) != nullptr;
}

long OwnerOf(const PageEntry& e)
{
    long owner = 0;
    short count;
    ddq_getfield(K().db, e.record, kAttOwner, &count, &owner, sizeof owner);
    return owner;
}

short CountLive()
{
    short n = 0;
    ForEachLivePart([&](const PageEntry&) { ++n; });
    return n;
}

// The part at (line, position) of the supply (0) or exhaust (2) side.
long PartOnLine(int side, short line, short position)
{
    long found = 0;
    ForEachLivePart([&](const PageEntry& e) {
        short lines[4];
        if (!found && ReadLines(e, lines) && lines[side] == line && lines[side + 1] == position)
            found = e.id;
    });
    return found;
}

short CountOnLine(int side, short line)
{
    short n = 0;
    ForEachLivePart([&](const PageEntry& e) {
        short lines[4];
        if (ReadLines(e, lines) && lines[side] == line)
            ++n;
    });
    return n;
}

// Array of the page's part count, each part of line at its position; *n is
// the highest position placed plus 1. NULL when none was placed.
long* PartsOfLine(int side, short line, short* n)
{
    if (n)
        *n = 0;
    if (PartPrecondition(44) != 0)
        return nullptr;
    short size = CountLive();
    auto* parts = size > 0 ? static_cast<long*>(Mem_Alloc(size * sizeof(long))) : nullptr;
    if (!parts)
        return nullptr;
    std::fill_n(parts, size, 0L);   // positions without a part read 0
    short placed = 0;
    ForEachLivePart([&](const PageEntry& e) {
        short lines[4];
        if (ReadLines(e, lines) && lines[side] == line && lines[side + 1] >= 0 && lines[side + 1] < size) {
            parts[lines[side + 1]] = e.id;
            placed = std::max<short>(placed, short(lines[side + 1] + 1));
        }
    });
    if (placed == 0) {
        Mem_Free(parts);
        return nullptr;
    }
    if (n)
        *n = placed;
    return parts;
}

}  // namespace

long WINAPI Kadmi_CreatePart()
{
    auto& g = K();
    if (short rc = PartPrecondition(40); rc != 0)
        return rc;
    long highest = 0;
    for (size_t i = 2; i < g.pages.size(); ++i)
        highest = std::max(highest, g.pages[i].id);
    char key[kKeySize];
    if (!Key_Part(g.loadedPage, highest + 1, key))
        return -4003;
    ddq_record* rec = ddq_newrecord(g.db, kClass, key);
    if (!rec)
        return -4003;
    try {
        g.pages.push_back({highest + 1, rec, false});
    } catch (const std::bad_alloc&) {
        ddq_freerecord(rec);
        return -4003;
    }
    return highest + 1;
}

short WINAPI Kadmi_DeletePart(long part)
{
    auto& g = K();
    if (short rc = PartPrecondition(41); rc != 0)
        return rc;
    for (size_t i = 2; i < g.pages.size(); ++i) {
        if (g.pages[i].id == part) {
            g.pages[i].deleted = true;
            return 0;
        }
    }
    return -4103;
}

short WINAPI Kadmi_DeletePartA(long part)
{
    if (K().db < 0 || K().loadedPage == 0 || CountLive() == 0)
        return -4751;
    std::vector<std::pair<long, long>> owners;   // part, owner
    std::set<long> marked{part};
    try {
        ForEachLivePart([&](const PageEntry& e) { owners.emplace_back(e.id, OwnerOf(e)); });
        // Mark until nothing changes: a part visited once is never visited
        // again, so ownership loops end.
        for (bool grew = true; grew;) {
            grew = false;
            for (const auto& [p, owner] : owners)
                if (owner != 0 && marked.count(owner) && marked.insert(p).second)
                    grew = true;
        }
    } catch (const std::bad_alloc&) {
        return -4752;
    }
    for (long p : marked)
        Kadmi_DeletePart(p);
    return 0;
}

long WINAPI Kadmi_IthPart(short i)
{
    if (short rc = PartPrecondition(42); rc != 0)
        return rc;
    long found = 0;
    short index = 0;
    ForEachLivePart([&](const PageEntry& e) {
        if (index++ == i)
            found = e.id;
    });
    return found;
}

short WINAPI Kadmi_NPart()
{
    if (short rc = PartPrecondition(43); rc != 0)
        return rc;
    return CountLive();
}

long* WINAPI Kadmi_GetAllParts(short* n)
{
    if (n)
        *n = 0;
    if (PartPrecondition(43) != 0)
        return nullptr;
    short count = CountLive();
    auto* parts = static_cast<long*>(Mem_Alloc(std::max<short>(count, 1) * sizeof(long)));
    if (!parts)
        return nullptr;
    short i = 0;
    ForEachLivePart([&](const PageEntry& e) { parts[i++] = e.id; });
    if (n)
        *n = count;
    return parts;
}

short WINAPI Kadmi_PartCopy(long destination, long source)
{
    auto& g = K();
    if (short rc = PartPrecondition(44); rc != 0)
        return rc;
    PageEntry* from = PageTable_Find(source);
    if (!from)
        return -4403;
    PageEntry* to = PageTable_Find(destination);
    if (!to)
        return -4404;
    if (from == to)
        return 0;
    ddq_clearfields(g.db, to->record);
    short att, count;
    for (void* v = ddq_firstfield(g.db, from->record, &att, &count, nullptr, 0); v;
         v = ddq_nextfield(g.db, from->record, &att, &count, nullptr, 0)) {
        ddq_putfield(g.db, &to->record, att, v, count);
        ddq_freefield(v);
    }
    return 0;
}

long WINAPI Kadmi_IthPartS(short line, short position)
{
    if (short rc = PartPrecondition(44); rc != 0)
        return rc;
    return PartOnLine(0, line, position);
}

long WINAPI Kadmi_IthPartE(short line, short position)
{
    if (short rc = PartPrecondition(45); rc != 0)
        return rc;
    return PartOnLine(2, line, position);
}

short WINAPI Kadmi_NPartS(short line)
{
    if (short rc = PartPrecondition(44); rc != 0)
        return rc;
    return CountOnLine(0, line);
}

short WINAPI Kadmi_NPartE(short line)
{
    if (short rc = PartPrecondition(44); rc != 0)
        return rc;
    return CountOnLine(2, line);
}

long* WINAPI Kadmi_GetAllSupplyParts(short line, short* n)
{
    return PartsOfLine(0, line, n);
}

long* WINAPI Kadmi_GetAllExhaustParts(short line, short* n)
{
    return PartsOfLine(2, line, n);
}

long WINAPI Kadmi_IthAccessory(long mainPart, short i)
{
    if (short rc = PartPrecondition(46); rc != 0)
        return rc;
    long found = 0;
    short index = 0;
    ForEachLivePart([&](const PageEntry& e) {
        if (!found && mainPart != 0 && OwnerOf(e) == mainPart && index++ == i)
            found = e.id;
    });
    return found;
}

short WINAPI Kadmi_NAccessory(long mainPart)
{
    if (short rc = PartPrecondition(47); rc != 0)
        return rc;
    short n = 0;
    ForEachLivePart([&](const PageEntry& e) {
        if (mainPart != 0 && OwnerOf(e) == mainPart)
            ++n;
    });
    return n;
}

long* WINAPI Kadmi_GetAllAccessories(long mainPart, short* n)
{
    short all = 0;
    long* parts = Kadmi_GetAllParts(&all);
    if (n)
        *n = 0;
    if (!parts)
        return nullptr;
    short kept = 0;
    for (short i = 0; i < all; ++i)
        if (PageEntry* e = PageTable_Find(parts[i]); e && mainPart != 0 && OwnerOf(*e) == mainPart)
            parts[kept++] = parts[i];
    if (kept == 0) {
        Mem_Free(parts);
        return nullptr;
    }
    if (n)
        *n = kept;
    return parts;
}

short WINAPI Kadmi_IsAccessory(long part)
{
    PageEntry* e = PageTable_Find(part);
    long owner;
    return e && ddq_getfield(K().db, e->record, kAttOwner, nullptr, &owner, sizeof owner) ? 1 : 0;
}

short WINAPI Kadmi_IsFunctionalPart(long part)
{
    PageEntry* e = PageTable_Find(part);
    short lines[4];
    return e && ReadLines(*e, lines) ? 1 : 0;
}

#pragma once
// tMemoryList: a bump allocator over pages of 32768 bytes for records that live until the
// next Reset (the object window's 2D parts). Reset keeps the pages, so a picture that needs
// as much memory as the last one allocates nothing.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "foundation/aligned_block.h"

namespace pax {

class tMemoryList {
public:
    static constexpr size_t PageSize = 32768;

    // Create: the first page; without memory the program ends (exit code 203).
    tMemoryList();
    tMemoryList(const tMemoryList&) = delete;
    tMemoryList& operator=(const tMemoryList&) = delete;

    // Back to the start of the first page; every page stays for reuse.
    void Reset();
    // The pages and what is handed out of them, exchanged with other's.
    void Swap(tMemoryList& other) noexcept;

    // n fresh bytes aligned to 16: from the current page when they fit, else from the start of
    // the next page, which is reused when it exists and added otherwise. A request larger than
    // a page gets a page of its own size. nullptr, after a message, when memory is exhausted.
    void* Alloc(size_t n);

    // A T built in fresh bytes; never destroyed, so T must not need a destructor.
    template <class T, class... Args>
    T* New(Args&&... args) {
        static_assert(std::is_trivially_destructible_v<T>, "Reset does not run destructors");
        static_assert(alignof(T) <= BlockAlignment);
        void* p = Alloc(sizeof(T));
        if (!p) return nullptr;
        // Braces for aggregates: clang 14 has no parenthesised aggregate initialisation.
        if constexpr (std::is_aggregate_v<T>) return ::new (p) T{std::forward<Args>(args)...};
        else return std::construct_at(static_cast<T*>(p), std::forward<Args>(args)...);
    }

    // Takes the bytes handed out since the last Reset into this core's cache for writing
    // (ClaimForWriting), unchanged: for a list that another core has just read.
    void ClaimForWriting();
    // The same, later: after the next Reset each of those pages is claimed when the bump
    // reaches it, so that the claim falls to the walk that writes the pages again.
    void ClaimOnReuse();

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int PageIndex() const { return m_pageIndex; }
    std::byte* Page() const { return m_pages[m_pageIndex].Data(); }
    // Offset of the next free byte in the current page, and the page's size.
    size_t Free() const { return m_free; }
    size_t PageEnd() const { return m_pages[m_pageIndex].Size(); }

private:
    // Pages read by another core: all before the last, and the first bytes of the last.
    struct Claim {
        int pages = 0;
        size_t lastBytes = 0;
    };

    bool StartNextPage(size_t need);
    void ClaimPage(int index);

    std::vector<AlignedBlock> m_pages;
    int m_pageIndex = 0;
    size_t m_free = 0;
    Claim m_claim;       // for the pages being handed out since the last Reset
    Claim m_nextClaim;   // for those after the next
};

}  // namespace pax

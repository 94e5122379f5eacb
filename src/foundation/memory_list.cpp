#include "foundation/memory_list.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "foundation/cache_lines.h"
#include "system/error_reporting.h"

namespace pax {

tMemoryList::tMemoryList() {
    AlignedBlock first = AllocateBlock(PageSize);
    if (!first) ShowFatalError(203, "tMemoryList.Create", "no heap free for object2d working buffer.");
    m_pages.push_back(std::move(first));
}

void tMemoryList::Reset() {
    m_pageIndex = 0;
    m_free = 0;
    m_claim = m_nextClaim;
    m_nextClaim = {};
    if (m_claim.pages > 0) ClaimPage(0);
}

void tMemoryList::Swap(tMemoryList& other) noexcept {
    m_pages.swap(other.m_pages);
    std::swap(m_pageIndex, other.m_pageIndex);
    std::swap(m_free, other.m_free);
    std::swap(m_claim, other.m_claim);
    std::swap(m_nextClaim, other.m_nextClaim);
}

void tMemoryList::ClaimOnReuse() { m_nextClaim = {m_pageIndex + 1, m_free}; }

void tMemoryList::ClaimPage(int index) {
    const AlignedBlock& page = m_pages[static_cast<size_t>(index)];
    pax::ClaimForWriting(page.Data(), index + 1 == m_claim.pages ? std::min(m_claim.lastBytes, page.Size()) : page.Size());
}

bool tMemoryList::StartNextPage(size_t need) {
    size_t next = size_t(m_pageIndex) + 1;
    bool reusable = next < m_pages.size() && m_pages[next].Size() >= need;
    if (!reusable) {
        AlignedBlock page = AllocateBlock(std::max(PageSize, need));
        if (!page) {
            ShowError("Memory.Create", "no heap free for new memory page.", Buttons::AbortRetryIgnoreDefault2);
            return false;
        }
        m_pages.insert(m_pages.begin() + next, std::move(page));
    }
    m_pageIndex = static_cast<int>(next);
    m_free = 0;
    // A page added among the claimed ones shifts them by one: a page nobody read is claimed
    // for nothing, and one that was read misses its claim, which costs time, not bytes.
    if (m_pageIndex < m_claim.pages) ClaimPage(m_pageIndex);
    return true;
}

void tMemoryList::ClaimForWriting() {
    for (int i = 0; i < m_pageIndex; ++i) pax::ClaimForWriting(m_pages[i].Data(), m_pages[i].Size());
    pax::ClaimForWriting(Page(), m_free);
}

void* tMemoryList::Alloc(size_t n) {
    if (n > std::numeric_limits<size_t>::max() - BlockAlignment) {
        ShowError("Memory.Create", "no heap free for new memory page.", Buttons::AbortRetryIgnoreDefault2);
        return nullptr;
    }
    size_t need = (n + BlockAlignment - 1) / BlockAlignment * BlockAlignment;
    if (need > PageEnd() - m_free && !StartNextPage(need)) return nullptr;
    std::byte* block = Page() + m_free;
    m_free += need;
    return block;
}

}  // namespace pax

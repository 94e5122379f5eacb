#pragma once
// tOArray: a growable array of fixed-size elements in one byte block. The block grows in whole
// steps and never beyond 420000 bytes; an element that does not fit is dropped and the user is
// told once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/aligned_block.h"
#include "foundation/tiny_object.h"

namespace pax {

class tOArray : public tTinyObject {
public:
    static constexpr int32_t MaxBytes = 420000;
    // Count is 16 bits wide: tiny elements meet this before the byte limit.
    static constexpr int32_t MaxCount = 65535;
    static constexpr uint16_t DefaultStep = 8;
    static constexpr uint16_t DefaultElementSize = 4;

    explicit tOArray(std::string_view name = {});
    // Copy: the same fields and an own copy of the data; the full message may be shown again.
    // Without memory the copy is reported and left empty.
    tOArray(const tOArray& source);
    tOArray& operator=(const tOArray&) = delete;
    std::unique_ptr<tOArray> Copy() const { return std::make_unique<tOArray>(*this); }

    // Frees the block and returns every field to its default.
    void Done() override;
    // Count := 0; the block is kept.
    void Clear() { m_count = 0; }
    // Only while empty; otherwise ERangeError. A size of 0 is ignored.
    void SetSize(uint16_t elementSize);
    // A step of 0 is ignored.
    void SetStep(uint16_t step);
    // Grows to hold n elements, then Count := n, or as many as could be held.
    void SetCount(int32_t n);
    // Appends a copy of ElementSize bytes and returns its index; when the element cannot be
    // stored, returns the index of the last stored one (-1 for none).
    int32_t Add(const void* element);
    // The address of element i; nullptr outside 0 .. Count - 1.
    void* Get(int32_t i);
    const void* Get(int32_t i) const;

    std::string GetText() const override;

    int32_t Count() const { return m_count; }
    int32_t Capacity() const { return m_capacity; }
    int32_t Step() const { return m_step; }
    int32_t ElementSize() const { return m_elementSize; }
    int32_t Allocated() const { return m_allocated; }
    bool FullReported() const { return m_fullReported; }
    std::byte* Data() const { return m_data.Data(); }

protected:
    // Makes room for index n; false when the limit or memory forbids it.
    bool GrowArray(int32_t n);

    template <class T>
    T* ItemsAs() const { return reinterpret_cast<T*>(m_data.Data()); }

private:
    void ReportFull();

    AlignedBlock m_data;
    uint16_t m_count = 0;
    int32_t m_capacity = 0;  // invariant: m_capacity * m_elementSize <= m_allocated
    uint16_t m_step = DefaultStep;
    uint16_t m_elementSize = DefaultElementSize;
    int32_t m_allocated = 0;
    bool m_fullReported = false;
};

}  // namespace pax

#include "foundation/o_array.h"

#include <algorithm>
#include <cstring>

#include "system/error_reporting.h"
#include "system/exceptions.h"

namespace pax {
namespace {

constexpr const char* AddCaption = "OArray: tOArray.Add";

}  // namespace

tOArray::tOArray(std::string_view name) : tTinyObject(name, TypeIds::OArray) {}

tOArray::tOArray(const tOArray& source)
    : tTinyObject(source),
      m_count(source.m_count),
      m_capacity(source.m_capacity),
      m_step(source.m_step),
      m_elementSize(source.m_elementSize),
      m_allocated(source.m_allocated) {
    if (m_allocated == 0) return;
    m_data = AllocateBlock(m_allocated);
    if (!m_data) {
        ShowError("OArray: tOArray.Copy", "no free memory", Buttons::OkCancel);
        m_count = 0;
        m_capacity = m_allocated = 0;
        return;
    }
    std::memcpy(m_data.Data(), source.m_data.Data(), m_allocated);
}

void tOArray::Done() {
    m_data = AlignedBlock();
    m_count = 0;
    m_capacity = m_allocated = 0;
    m_step = DefaultStep;
    m_elementSize = DefaultElementSize;
    m_fullReported = false;
}

void tOArray::SetSize(uint16_t elementSize) {
    if (m_count != 0) throw ERangeError("tOArray.SetSize: element count must be 0");
    if (elementSize == 0) return;
    m_elementSize = elementSize;
    m_capacity = m_allocated / m_elementSize;
}

void tOArray::SetStep(uint16_t step) {
    if (step != 0) m_step = step;
}

void tOArray::ReportFull() {
    if (m_fullReported) return;
    m_fullReported = true;
    ShowError(AddCaption, "too many elements, capacity=" + std::to_string(m_capacity), Buttons::OkCancel);
}

bool tOArray::GrowArray(int32_t n) {
    if (TypeId() < TypeIds::OArray) RaiseNilObject("tOArray.GrowArray");
    int64_t newCapacity = (int64_t(n) / m_step + 1) * m_step;
    int64_t bytes = newCapacity * m_elementSize;
    if (bytes <= m_allocated) return m_capacity > n;
    if (bytes > MaxBytes) {
        ReportFull();
        return false;
    }
    AlignedBlock block = AllocateBlock(static_cast<size_t>(bytes));
    if (!block) {
        ShowError("OArray: tOArray.GrowArray", "no free memory", Buttons::OkCancel);
        return false;
    }
    if (m_allocated > 0) std::memcpy(block.Data(), m_data.Data(), m_allocated);
    m_data = std::move(block);
    m_allocated = static_cast<int32_t>(bytes);
    m_capacity = static_cast<int32_t>(newCapacity);
    return true;
}

void tOArray::SetCount(int32_t n) {
    n = std::clamp<int32_t>(n, 0, MaxCount);
    if (n > m_capacity) GrowArray(n - 1);
    m_count = static_cast<uint16_t>(std::min(n, m_capacity));
}

int32_t tOArray::Add(const void* element) {
    bool fits = int64_t(m_count) * m_elementSize <= MaxBytes && m_count < MaxCount && GrowArray(m_count);
    if (!fits) {
        ReportFull();
        return int32_t(m_count) - 1;
    }
    std::memcpy(m_data.Data() + size_t(m_count) * m_elementSize, element, m_elementSize);
    return m_count++;
}

void* tOArray::Get(int32_t i) {
    if (i < 0 || i >= m_count) return nullptr;
    return m_data.Data() + size_t(i) * m_elementSize;
}

const void* tOArray::Get(int32_t i) const { return const_cast<tOArray*>(this)->Get(i); }

std::string tOArray::GetText() const {
    return "tOArray: name=" + Name() + "  count=" + std::to_string(m_count) + "  size=" +
           std::to_string(m_elementSize) + "  cap=" + std::to_string(m_capacity) + "  step=" +
           std::to_string(m_step);
}

}  // namespace pax

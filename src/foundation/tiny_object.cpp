#include "foundation/tiny_object.h"

#include <cinttypes>
#include <cstdio>
#include <ostream>

#include "foundation/short_text.h"

namespace pax {

tTinyObject::tTinyObject(std::string_view name, uint16_t typeId)
    : m_typeId(typeId), m_name(CutText(name, NameCapacity)) {}

void tTinyObject::SetName(std::string_view name) { m_name = CutText(name, NameCapacity); }

std::string tTinyObject::GetText() const { return AddressText(this) + " tTinyObject: name=" + m_name; }

void tTinyObject::Print(std::ostream& out, int indent) const {
    out << std::string(indent > 0 ? indent : 0, ' ') << GetText() << '\n';
    out.flush();
}

std::string AddressText(const void* p) {
    char text[24];
    std::snprintf(text, sizeof text, "%08" PRIXPTR, reinterpret_cast<uintptr_t>(p));
    return text;
}

}  // namespace pax

#pragma once
// tTinyObject: the named base of the containers and of the parser's objects.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace pax {

// Kinds of object. An operation refuses an object of a lower kind (the tree: of another kind).
namespace TypeIds {
inline constexpr uint16_t TinyObject = 0;
inline constexpr uint16_t Text = 4;
inline constexpr uint16_t OArray = 21;
inline constexpr uint16_t Tree = 30;
}  // namespace TypeIds

class tTinyObject {
public:
    explicit tTinyObject(std::string_view name = {}, uint16_t typeId = TypeIds::TinyObject);
    virtual ~tTinyObject() = default;
    tTinyObject(const tTinyObject&) = default;
    tTinyObject& operator=(const tTinyObject&) = default;

    // Releases what the object holds; the object stays usable, empty.
    virtual void Done() {}
    // One line for logs and listings; a plain object gives its address, kind and name.
    virtual std::string GetText() const;
    // indent spaces, GetText and a line end; the stream is flushed.
    virtual void Print(std::ostream& out, int indent) const;

    uint16_t TypeId() const { return m_typeId; }
    const std::string& Name() const { return m_name; }
    // Cut to 30 characters.
    void SetName(std::string_view name);

protected:
    void SetTypeId(uint16_t typeId) { m_typeId = typeId; }

private:
    uint16_t m_typeId;
    std::string m_name;
};

// The address of p in upper-case hex, at least 8 digits.
std::string AddressText(const void* p);

}  // namespace pax

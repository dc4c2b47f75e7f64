#include "fields.h"

namespace calculator {

static_assert(
    [] {
        for (std::size_t i = 0; i < kFields.size(); ++i)
            if (static_cast<std::size_t>(kFields[i].field) != i)
                return false;
        return true;
    }(),
    "kFields must list the fields in the order of the enumeration");

MemoryFieldTexts::MemoryFieldTexts()
{
    for (const FieldInfo &f : kFields)
        texts_[static_cast<std::size_t>(f.field)] = f.defaultText;
}

std::string MemoryFieldTexts::text(Field field) const
{
    return texts_[static_cast<std::size_t>(field)];
}

void MemoryFieldTexts::setText(Field field, std::string_view text)
{
    texts_[static_cast<std::size_t>(field)] = text;
}

} // namespace calculator

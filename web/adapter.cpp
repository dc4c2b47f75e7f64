// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapter.h"

#include "calculator/commands.h"
#include "calculator/fields.h"
#include "calculator/messages.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

using calculator::Field;
using calculator::kFieldCount;

// The page's field texts, held here between its events.
class PageFields : public calculator::FieldTexts {
  public:
    PageFields()
    {
        for (const calculator::FieldInfo &f : calculator::kFields)
            texts_[static_cast<std::size_t>(f.field)] = f.defaultText;
    }

    std::string text(Field field) const override { return texts_[index(field)]; }
    void setText(Field field, std::string_view text) override { texts_[index(field)] = text; }
    const std::string &stored(Field field) const { return texts_[index(field)]; }

  private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    std::array<std::string, kFieldCount> texts_;
};

// The boxes of the last command, in the order it asked for them.
class PageBoxes : public calculator::MessageBoxes {
  public:
    void show(std::string_view title, std::string_view prompt, calculator::BoxStyle style) override
    {
        boxes_.push_back({std::string(title), std::string(prompt), style});
    }
    void clear() { boxes_.clear(); }
    int count() const { return static_cast<int>(boxes_.size()); }
    const calculator::Message *at(int k) const
    {
        return k >= 0 && k < count() ? &boxes_[static_cast<std::size_t>(k)] : nullptr;
    }

  private:
    std::vector<calculator::Message> boxes_;
};

PageFields &fields()
{
    static PageFields instance;
    return instance;
}

PageBoxes &boxes()
{
    static PageBoxes instance;
    return instance;
}

const calculator::FieldInfo *fieldInfo(int field)
{
    if (field < 0 || field >= static_cast<int>(kFieldCount))
        return nullptr;
    return &calculator::kFields[static_cast<std::size_t>(field)];
}

} // namespace

extern "C" {

int ddv_field_count(void)
{
    return static_cast<int>(kFieldCount);
}

void ddv_set_text(int field, const char *utf8)
{
    const calculator::FieldInfo *f = fieldInfo(field);
    if (f)
        fields().setText(f->field, utf8 ? utf8 : "");
}

const char *ddv_text(int field)
{
    const calculator::FieldInfo *f = fieldInfo(field);
    return f ? fields().stored(f->field).c_str() : "";
}

int ddv_calculate(const char *decimalSeparator)
{
    boxes().clear();
    calculator::calculate(fields(), boxes(), decimalSeparator ? decimalSeparator : ".");
    return boxes().count();
}

int ddv_check_rx_wire(void)
{
    boxes().clear();
    calculator::checkRxWire(fields(), boxes());
    return boxes().count();
}

int ddv_check_tx_wire(void)
{
    boxes().clear();
    calculator::checkTxWire(fields(), boxes());
    return boxes().count();
}

const char *ddv_box_title(int k)
{
    const calculator::Message *box = boxes().at(k);
    return box ? box->title.c_str() : "";
}

const char *ddv_box_prompt(int k)
{
    const calculator::Message *box = boxes().at(k);
    return box ? box->prompt.c_str() : "";
}

int ddv_box_style(int k)
{
    const calculator::Message *box = boxes().at(k);
    return box ? static_cast<int>(box->style) : 0;
}

} // extern "C"

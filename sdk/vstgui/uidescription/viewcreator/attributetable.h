// The attribute names and types a creator handles, as one table, so that its
// names list and its type answers cannot drift apart.
#pragma once

#include <array>
#include <string>

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

struct AttributeInfo {
    const char* name;
    IViewCreator::AttrType type;
};

template <size_t N>
bool appendAttributeNames(const std::array<AttributeInfo, N>& table, IViewCreator::StringList& names)
{
    for (const AttributeInfo& info : table)
        names.emplace_back(info.name);
    return true;
}

template <size_t N>
IViewCreator::AttrType attributeType(const std::array<AttributeInfo, N>& table, const std::string& name)
{
    for (const AttributeInfo& info : table) {
        if (name == info.name)
            return info.type;
    }
    return IViewCreator::kUnknownType;
}

}  // namespace VSTGUI::UIViewCreator

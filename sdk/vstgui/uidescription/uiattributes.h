// The attributes of one description node (a template or a view): names mapped to
// their texts, with typed getters that parse and setters that format.
//
// Numbers are read and written in the classic "C" form whatever the process
// locale. A getter answers false, and leaves its out value alone, when the
// attribute is missing or its text does not parse as a whole.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "sdk/vstgui/lib/cpoint.h"

namespace VSTGUI {

class UIAttributes {
public:
    using Map = std::map<std::string, std::string, std::less<>>;

    bool hasAttribute(std::string_view name) const;
    // The text stored under the name, or null when there is none.
    const std::string* getAttributeValue(std::string_view name) const;
    void setAttribute(std::string_view name, std::string value);
    void removeAttribute(std::string_view name);

    bool empty() const { return attributes.empty(); }
    size_t size() const { return attributes.size(); }
    Map::const_iterator begin() const { return attributes.begin(); }
    Map::const_iterator end() const { return attributes.end(); }

    // "true" or "false".
    void setBooleanAttribute(std::string_view name, bool value);
    bool getBooleanAttribute(std::string_view name, bool& value) const;
    void setIntegerAttribute(std::string_view name, int32_t value);
    bool getIntegerAttribute(std::string_view name, int32_t& value) const;
    void setDoubleAttribute(std::string_view name, double value);
    bool getDoubleAttribute(std::string_view name, double& value) const;
    // "x, y".
    void setPointAttribute(std::string_view name, const CPoint& point);
    bool getPointAttribute(std::string_view name, CPoint& point) const;

    // At most `precision` significant digits, the shortest default stream
    // notation: 10.0 gives "10", 0.5 gives "0.5".
    static std::string doubleToString(double value, uint32_t precision = 6);
    // Both coordinates as doubleToString, joined by ", ".
    static std::string pointToString(const CPoint& point);

    // The parsers behind the getters. Blanks around a number are allowed;
    // anything else around it, and non-finite numbers, are not.
    static bool stringToDouble(std::string_view text, double& value);
    static bool stringToInteger(std::string_view text, int32_t& value);
    static bool stringToBoolean(std::string_view text, bool& value);
    // Two numbers separated by one comma.
    static bool stringToPoint(std::string_view text, CPoint& point);

private:
    Map attributes;
};

}  // namespace VSTGUI

#include "sdk/vstgui/uidescription/uiattributes.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

namespace VSTGUI {

namespace {

std::string_view trimBlanks(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// from_chars reads the classic form regardless of the locale; it refuses a
// leading '+', which a hand-written description may well carry.
std::string_view withoutPlusSign(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

}  // namespace

bool UIAttributes::hasAttribute(std::string_view name) const
{
    return attributes.find(name) != attributes.end();
}

const std::string* UIAttributes::getAttributeValue(std::string_view name) const
{
    const auto it = attributes.find(name);
    return it == attributes.end() ? nullptr : &it->second;
}

void UIAttributes::setAttribute(std::string_view name, std::string value)
{
    const auto it = attributes.find(name);
    if (it != attributes.end())
        it->second = std::move(value);
    else
        attributes.emplace(std::string(name), std::move(value));
}

void UIAttributes::removeAttribute(std::string_view name)
{
    const auto it = attributes.find(name);
    if (it != attributes.end())
        attributes.erase(it);
}

void UIAttributes::setBooleanAttribute(std::string_view name, bool value)
{
    setAttribute(name, value ? "true" : "false");
}

bool UIAttributes::getBooleanAttribute(std::string_view name, bool& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToBoolean(*text, value);
}

void UIAttributes::setIntegerAttribute(std::string_view name, int32_t value)
{
    setAttribute(name, std::to_string(value));
}

bool UIAttributes::getIntegerAttribute(std::string_view name, int32_t& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToInteger(*text, value);
}

void UIAttributes::setDoubleAttribute(std::string_view name, double value)
{
    setAttribute(name, doubleToString(value));
}

bool UIAttributes::getDoubleAttribute(std::string_view name, double& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToDouble(*text, value);
}

void UIAttributes::setPointAttribute(std::string_view name, const CPoint& point)
{
    setAttribute(name, pointToString(point));
}

bool UIAttributes::getPointAttribute(std::string_view name, CPoint& point) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToPoint(*text, point);
}

std::string UIAttributes::doubleToString(double value, uint32_t precision)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.precision(precision);
    stream << value;
    return stream.str();
}

std::string UIAttributes::pointToString(const CPoint& point)
{
    return doubleToString(point.x) + ", " + doubleToString(point.y);
}

bool UIAttributes::stringToDouble(std::string_view text, double& value)
{
    text = withoutPlusSign(trimBlanks(text));
    double parsed = 0.;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool UIAttributes::stringToInteger(std::string_view text, int32_t& value)
{
    text = withoutPlusSign(trimBlanks(text));
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

bool UIAttributes::stringToBoolean(std::string_view text, bool& value)
{
    if (text == "true")
        value = true;
    else if (text == "false")
        value = false;
    else
        return false;
    return true;
}

bool UIAttributes::stringToPoint(std::string_view text, CPoint& point)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    CPoint parsed;
    if (!stringToDouble(text.substr(0, comma), parsed.x) || !stringToDouble(text.substr(comma + 1), parsed.y))
        return false;
    point = parsed;
    return true;
}

}  // namespace VSTGUI

#include <gtest/gtest.h>

#include <locale>

#include "sdk/vstgui/uidescription/uiattributes.h"

namespace VSTGUI {
namespace {

TEST(UIAttributes, DoubleToStringWritesShortestClassicForm)
{
    const struct {
        double value;
        uint32_t precision;
        const char* text;
    } cases[] = {
        {10.0, 6, "10"},
        {0.5, 6, "0.5"},
        {2.5, 6, "2.5"},
        {-36.0, 6, "-36"},
        {0.1234567, 6, "0.123457"},
        {1234567.0, 6, "1.23457e+06"},
        {3.14159, 3, "3.14"},
        {0.0, 6, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UIAttributes::doubleToString(c.value, c.precision), c.text) << c.value;
    EXPECT_EQ(UIAttributes::pointToString({0, 0}), "0, 0");
    EXPECT_EQ(UIAttributes::pointToString({12.5, -3}), "12.5, -3");
}

struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(UIAttributes, FormatsAndParsesIgnoringTheGlobalLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    EXPECT_EQ(UIAttributes::doubleToString(1234.5), "1234.5");
    double value = 0;
    EXPECT_TRUE(UIAttributes::stringToDouble("1234.5", value));
    EXPECT_EQ(value, 1234.5);
    std::locale::global(previous);
}

TEST(UIAttributes, ParsesNumbersPointsAndBooleansOnlyWhole)
{
    const struct {
        const char* text;
        bool parses;
        double value;
    } numbers[] = {
        {"12", true, 12},  {" -3.5 ", true, -3.5}, {"+4", true, 4},     {"1e3", true, 1000},
        {"", false, 0},    {"  ", false, 0},       {"12px", false, 0},  {"1,5", false, 0},
        {"nan", false, 0}, {"inf", false, 0},      {"1e999", false, 0}, {"0x10", false, 0},
        {"--1", false, 0}, {"+-1", false, 0},
    };
    for (const auto& c : numbers) {
        double value = 77;
        EXPECT_EQ(UIAttributes::stringToDouble(c.text, value), c.parses) << '"' << c.text << '"';
        EXPECT_EQ(value, c.parses ? c.value : 77) << '"' << c.text << '"';
    }

    const struct {
        const char* text;
        bool parses;
        CPoint point;
    } points[] = {
        {"10, 20", true, {10, 20}}, {"10,20", true, {10, 20}}, {" -1.5 , 2 ", true, {-1.5, 2}},
        {"10", false, {}},          {"10, ", false, {}},       {"10, 20, 30", false, {}},
        {"a, b", false, {}},        {"10 20", false, {}},
    };
    for (const auto& c : points) {
        CPoint point(7, 7);
        EXPECT_EQ(UIAttributes::stringToPoint(c.text, point), c.parses) << '"' << c.text << '"';
        EXPECT_EQ(point, c.parses ? c.point : CPoint(7, 7)) << '"' << c.text << '"';
    }

    int32_t integer = 5;
    EXPECT_FALSE(UIAttributes::stringToInteger("2.5", integer));
    EXPECT_FALSE(UIAttributes::stringToInteger("99999999999", integer));
    EXPECT_EQ(integer, 5);
    EXPECT_TRUE(UIAttributes::stringToInteger("-7", integer));
    EXPECT_EQ(integer, -7);

    bool flag = true;
    EXPECT_FALSE(UIAttributes::stringToBoolean("TRUE", flag));
    EXPECT_FALSE(UIAttributes::stringToBoolean("1", flag));
    EXPECT_TRUE(UIAttributes::stringToBoolean("false", flag));
    EXPECT_FALSE(flag);
}

TEST(UIAttributes, TypedGettersLeaveTheValueWhenMissingOrBad)
{
    UIAttributes attributes;
    attributes.setPointAttribute("origin", {3, 4});
    attributes.setDoubleAttribute("zoom", 2.5);
    attributes.setAttribute("size", "wide");
    EXPECT_EQ(*attributes.getAttributeValue("origin"), "3, 4");
    EXPECT_EQ(*attributes.getAttributeValue("zoom"), "2.5");

    CPoint point(1, 1);
    EXPECT_TRUE(attributes.getPointAttribute("origin", point));
    EXPECT_EQ(point, CPoint(3, 4));
    point = {1, 1};
    EXPECT_FALSE(attributes.getPointAttribute("size", point));
    EXPECT_FALSE(attributes.getPointAttribute("missing", point));
    EXPECT_EQ(point, CPoint(1, 1));

    attributes.setAttribute("zoom", "3");
    double zoom = 0;
    EXPECT_TRUE(attributes.getDoubleAttribute("zoom", zoom));
    EXPECT_EQ(zoom, 3);
    attributes.removeAttribute("zoom");
    EXPECT_FALSE(attributes.hasAttribute("zoom"));
    EXPECT_EQ(attributes.getAttributeValue("zoom"), nullptr);
}

}  // namespace
}  // namespace VSTGUI

// Reads the XML form of a UI description into plain data: the resource tables
// and the templates as trees of view nodes. Nothing here makes views.
//
// A document that is not well-formed, is not a UI description, nests deeper
// than kMaxElementDepth, holds more than kMaxViewCount views or is larger than
// kMaxDescriptionBytes is refused as a whole, with a message naming the first
// problem. Within a well-formed
// description, unknown elements are skipped with everything inside them, and
// an entry whose values do not parse (a colour, a tag) is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/uidescription/uiattributes.h"

namespace VSTGUI {

// Views nest at most this deep, counting the root element and the template, so
// that building, drawing and deleting a view tree never recurse without bound.
inline constexpr int kMaxElementDepth = 100;
// Our descriptions are a few kilobytes with dozens of views; these leave room
// and bound the work of reading and building.
inline constexpr size_t kMaxDescriptionBytes = 16u << 20;
inline constexpr size_t kMaxViewCount = 10000;

struct UIViewNode {
    UIAttributes attributes;
    std::vector<UIViewNode> children;
};

struct UIFontEntry {
    std::string fontName;
    double size = 12.;
    bool bold = false;
    bool italic = false;
};

template <class T>
using UINameTable = std::map<std::string, T, std::less<>>;

// When a name appears twice in one table, its first entry counts.
struct UIDescriptionContent {
    UINameTable<std::string> bitmapPaths;
    UINameTable<UIFontEntry> fonts;
    UINameTable<CColor> colors;
    UINameTable<int32_t> controlTags;
    // A template's root node carries the template's own attributes.
    UINameTable<UIViewNode> templates;
};

struct UIDescriptionReadResult {
    UIDescriptionContent content;
    // Empty when the description was read.
    std::string error;

    bool ok() const { return error.empty(); }
};

UIDescriptionReadResult readUIDescription(std::string_view xml);
// Reads the file only when it is a regular file that resolves inside the
// folder its path names (see ResourceFile).
UIDescriptionReadResult readUIDescriptionFile(const std::string& path);

// "#rrggbb", "#rrggbbaa" or a built-in colour name such as "~ BlackCColor";
// false, colour unchanged, for anything else.
bool parseColorValue(std::string_view text, CColor& color);

}  // namespace VSTGUI

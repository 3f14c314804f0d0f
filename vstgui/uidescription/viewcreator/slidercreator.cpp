#include "vstgui/uidescription/viewcreator/slidercreator.h"

#include <array>
#include <string>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewcreator.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "vstgui/lib/controls/cslider.h"

namespace VSTGUI::UIViewCreator {
namespace {

const std::string kAttrMode = "mode";
const std::string kAttrFreeClick = "free-click";
const std::string kAttrOrientation = "orientation";
const std::string kAttrReverseOrientation = "reverse-orientation";
const std::string kAttrHandleOffset = "handle-offset";
const std::string kAttrZoomFactor = "zoom-factor";
const std::string kAttrHandleBitmap = "handle-bitmap";
const std::string kAttrBitmapOffset = "bitmap-offset";
const std::string kAttrDrawFrame = "draw-frame";
const std::string kAttrDrawBack = "draw-back";
const std::string kAttrDrawValue = "draw-value";
const std::string kAttrDrawValueFromCenter = "draw-value-from-center";
const std::string kAttrDrawValueInverted = "draw-value-inverted";
const std::string kAttrFrameWidth = "frame-width";
const std::string kAttrDrawFrameColor = "draw-frame-color";
const std::string kAttrDrawBackColor = "draw-back-color";
const std::string kAttrDrawValueColor = "draw-value-color";

const std::string kTrue = "true";
const std::string kFalse = "false";
const std::string kVerticalText = "vertical";
const std::string kHorizontalText = "horizontal";

// A mode's value is its position here. The list lives until the process ends,
// so the pointers handed out for it stay valid.
const std::array<std::string, 6>& getModeStrings()
{
    static const std::array<std::string, 6> strings = {"touch",         "relative touch", "free click",
                                                       "TK free click", "ramp",           "use global"};
    return strings;
}

// The draw-style bits and the attribute that sets each, in the order they are applied.
struct DrawStyleAttribute {
    const std::string& name;
    int32_t bit;
};
const std::array<DrawStyleAttribute, 5>& drawStyleAttributes()
{
    static const std::array<DrawStyleAttribute, 5> attributes = {{
        {kAttrDrawFrame, CSlider::kDrawFrame},
        {kAttrDrawBack, CSlider::kDrawBack},
        {kAttrDrawValue, CSlider::kDrawValue},
        {kAttrDrawValueFromCenter, CSlider::kDrawValueFromCenter},
        {kAttrDrawValueInverted, CSlider::kDrawInverted},
    }};
    return attributes;
}

}  // namespace

//------------------------------------------------------------------------
// SliderBaseCreator
//------------------------------------------------------------------------

bool SliderBaseCreator::apply(CView* view, const UIAttributes& attributes,
                              const IUIDescription* /*description*/) const
{
    auto* slider = dynamic_cast<CSliderBase*>(view);
    if (!slider)
        return false;

    // The older boolean form; "mode" below overrides it.
    if (const std::string* freeClick = attributes.getAttributeValue(kAttrFreeClick))
        slider->setSliderMode(*freeClick == kTrue ? CSliderMode::FreeClick : CSliderMode::Touch);

    if (const std::string* mode = attributes.getAttributeValue(kAttrMode)) {
        const auto& strings = getModeStrings();
        for (size_t index = 0; index < strings.size(); ++index) {
            if (*mode == strings[index]) {
                slider->setSliderMode(static_cast<CSliderMode>(index));
                break;
            }
        }
    }

    CPoint point;
    if (attributes.getPointAttribute(kAttrHandleOffset, point))
        slider->setOffsetHandle(point);

    double number = 0.;
    if (attributes.getDoubleAttribute(kAttrZoomFactor, number))
        slider->setZoomFactor(static_cast<float>(number));

    if (const std::string* orientation = attributes.getAttributeValue(kAttrOrientation)) {
        int32_t style = slider->getStyle() & ~(CSliderBase::kHorizontal | CSliderBase::kVertical);
        style |= *orientation == kVerticalText ? CSliderBase::kVertical : CSliderBase::kHorizontal;
        slider->setStyle(style);
    }

    if (const std::string* reverse = attributes.getAttributeValue(kAttrReverseOrientation)) {
        const bool reversed = *reverse == kTrue;
        int32_t style = slider->getStyle();
        if (style & CSliderBase::kVertical) {
            style &= ~(CSliderBase::kTop | CSliderBase::kBottom);
            style |= reversed ? CSliderBase::kTop : CSliderBase::kBottom;
        } else if (style & CSliderBase::kHorizontal) {
            style &= ~(CSliderBase::kLeft | CSliderBase::kRight);
            style |= reversed ? CSliderBase::kRight : CSliderBase::kLeft;
        }
        slider->setStyle(style);
    }
    return true;
}

bool SliderBaseCreator::getAttributeNames(StringList& attributeNames) const
{
    for (const std::string* name :
         {&kAttrMode, &kAttrOrientation, &kAttrReverseOrientation, &kAttrHandleOffset, &kAttrZoomFactor})
        attributeNames.emplace_back(*name);
    return true;
}

IViewCreator::AttrType SliderBaseCreator::getAttributeType(const std::string& attributeName) const
{
    if (attributeName == kAttrMode || attributeName == kAttrOrientation)
        return kListType;
    if (attributeName == kAttrReverseOrientation)
        return kBooleanType;
    if (attributeName == kAttrHandleOffset)
        return kPointType;
    if (attributeName == kAttrZoomFactor)
        return kFloatType;
    return kUnknownType;
}

bool SliderBaseCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                          std::string& stringValue,
                                          const IUIDescription* /*description*/) const
{
    auto* slider = dynamic_cast<CSliderBase*>(view);
    if (!slider)
        return false;

    const int32_t style = slider->getStyle();
    if (attributeName == kAttrMode) {
        // setSliderMode stores whatever it is given; only the six modes have a text.
        const auto mode = static_cast<size_t>(slider->getSliderMode());
        if (mode >= getModeStrings().size())
            return false;
        stringValue = getModeStrings()[mode];
        return true;
    }
    if (attributeName == kAttrHandleOffset) {
        stringValue = UIAttributes::pointToString(slider->getOffsetHandle());
        return true;
    }
    if (attributeName == kAttrZoomFactor) {
        stringValue = UIAttributes::doubleToString(slider->getZoomFactor(), 6);
        return true;
    }
    if (attributeName == kAttrOrientation) {
        stringValue = (style & CSliderBase::kVertical) ? kVerticalText : kHorizontalText;
        return true;
    }
    if (attributeName == kAttrReverseOrientation) {
        const bool reversed = ((style & CSliderBase::kVertical) && (style & CSliderBase::kTop)) ||
            ((style & CSliderBase::kHorizontal) && (style & CSliderBase::kRight));
        stringValue = reversed ? kTrue : kFalse;
        return true;
    }
    return false;
}

bool SliderBaseCreator::getPossibleListValues(const std::string& attributeName,
                                              ConstStringPtrList& values) const
{
    if (attributeName == kAttrOrientation)
        return getStandardAttributeListValues(attributeName, values);
    if (attributeName == kAttrMode) {
        for (const std::string& mode : getModeStrings())
            values.emplace_back(&mode);
        return true;
    }
    return false;
}

//------------------------------------------------------------------------
// SliderCreator
//------------------------------------------------------------------------

SliderCreator::SliderCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

SliderCreator::~SliderCreator() noexcept = default;

IdStringPtr SliderCreator::getViewName() const
{
    return "CSlider";
}

IdStringPtr SliderCreator::getBaseViewName() const
{
    return "CControl";
}

UTF8StringPtr SliderCreator::getDisplayName() const
{
    return "Slider";
}

CView* SliderCreator::create(const UIAttributes& /*attributes*/, const IUIDescription* /*description*/) const
{
    return new CSlider(CRect(0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint(0, 0),
                       CSliderBase::kLeft | CSliderBase::kHorizontal);
}

bool SliderCreator::apply(CView* view, const UIAttributes& attributes,
                          const IUIDescription* description) const
{
    auto* slider = dynamic_cast<CSlider*>(view);
    if (!slider)
        return false;

    CBitmap* bitmap = nullptr;
    if (stringToBitmap(attributes.getAttributeValue(kAttrHandleBitmap), bitmap, description))
        slider->setHandle(bitmap);

    CPoint point;
    if (attributes.getPointAttribute(kAttrBitmapOffset, point))
        slider->setOffset(point);

    int32_t drawStyle = slider->getDrawStyle();
    for (const auto& [name, bit] : drawStyleAttributes())
        applyStyleMask(attributes.getAttributeValue(name), bit, drawStyle);
    slider->setDrawStyle(drawStyle);

    double width = 0.;
    if (attributes.getDoubleAttribute(kAttrFrameWidth, width))
        slider->setFrameWidth(width);

    CColor color;
    if (stringToColor(attributes.getAttributeValue(kAttrDrawFrameColor), color, description))
        slider->setFrameColor(color);
    if (stringToColor(attributes.getAttributeValue(kAttrDrawBackColor), color, description))
        slider->setBackColor(color);
    if (stringToColor(attributes.getAttributeValue(kAttrDrawValueColor), color, description))
        slider->setValueColor(color);

    return SliderBaseCreator::apply(view, attributes, description);
}

bool SliderCreator::getAttributeNames(StringList& attributeNames) const
{
    SliderBaseCreator::getAttributeNames(attributeNames);
    for (const std::string* name :
         {&kAttrHandleBitmap, &kAttrBitmapOffset, &kAttrDrawFrame, &kAttrDrawBack, &kAttrDrawValue,
          &kAttrDrawValueFromCenter, &kAttrDrawValueInverted, &kAttrFrameWidth, &kAttrDrawFrameColor,
          &kAttrDrawBackColor, &kAttrDrawValueColor})
        attributeNames.emplace_back(*name);
    return true;
}

IViewCreator::AttrType SliderCreator::getAttributeType(const std::string& attributeName) const
{
    if (attributeName == kAttrHandleBitmap)
        return kBitmapType;
    if (attributeName == kAttrBitmapOffset)
        return kPointType;
    for (const auto& [name, bit] : drawStyleAttributes()) {
        if (attributeName == name)
            return kBooleanType;
    }
    if (attributeName == kAttrFrameWidth)
        return kFloatType;
    if (attributeName == kAttrDrawFrameColor || attributeName == kAttrDrawBackColor ||
        attributeName == kAttrDrawValueColor)
        return kColorType;
    return SliderBaseCreator::getAttributeType(attributeName);
}

bool SliderCreator::getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                                      const IUIDescription* description) const
{
    auto* slider = dynamic_cast<CSlider*>(view);
    if (!slider)
        return false;

    if (attributeName == kAttrHandleBitmap) {
        // Without a handle bitmap the caller's text stays as it was.
        if (CBitmap* handle = slider->getHandle())
            bitmapToString(handle, stringValue, description);
        return true;
    }
    if (attributeName == kAttrBitmapOffset) {
        stringValue = UIAttributes::pointToString(slider->getOffset());
        return true;
    }
    for (const auto& [name, bit] : drawStyleAttributes()) {
        if (attributeName == name) {
            stringValue = (slider->getDrawStyle() & bit) ? kTrue : kFalse;
            return true;
        }
    }
    if (attributeName == kAttrDrawFrameColor) {
        colorToString(slider->getFrameColor(), stringValue, description);
        return true;
    }
    if (attributeName == kAttrDrawBackColor) {
        colorToString(slider->getBackColor(), stringValue, description);
        return true;
    }
    if (attributeName == kAttrDrawValueColor) {
        colorToString(slider->getValueColor(), stringValue, description);
        return true;
    }
    if (attributeName == kAttrFrameWidth) {
        stringValue = UIAttributes::doubleToString(slider->getFrameWidth(), 6);
        return true;
    }
    return SliderBaseCreator::getAttributeValue(view, attributeName, stringValue, description);
}

namespace {
// The one creator filed under "CSlider", registered while the module loads.
SliderCreator sliderCreator;
}  // namespace

}  // namespace VSTGUI::UIViewCreator

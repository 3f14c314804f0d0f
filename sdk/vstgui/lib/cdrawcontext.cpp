#include "sdk/vstgui/lib/cdrawcontext.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cgraphicspath.h"

namespace VSTGUI {

const CLineStyle kLineSolid{};
const CLineStyle kLineOnOffDash{CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0., {1., 1.}};

namespace {

constexpr double kPi = 3.14159265358979323846;

void addFigure(cairo_t* cr, const CGraphicsPath::Figure& figure)
{
    const CRect& r = figure.rect;
    switch (figure.kind) {
        case CGraphicsPath::Figure::Kind::Rect:
            cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
            break;
        case CGraphicsPath::Figure::Kind::RoundRect: {
            const double radius =
                std::max(0., std::min({figure.radius, r.getWidth() / 2., r.getHeight() / 2.}));
            cairo_new_sub_path(cr);
            cairo_arc(cr, r.right - radius, r.top + radius, radius, -kPi / 2., 0.);
            cairo_arc(cr, r.right - radius, r.bottom - radius, radius, 0., kPi / 2.);
            cairo_arc(cr, r.left + radius, r.bottom - radius, radius, kPi / 2., kPi);
            cairo_arc(cr, r.left + radius, r.top + radius, radius, kPi, 3. * kPi / 2.);
            cairo_close_path(cr);
            break;
        }
        case CGraphicsPath::Figure::Kind::Ellipse:
            if (r.getWidth() <= 0. || r.getHeight() <= 0.)
                break;
            cairo_save(cr);
            cairo_translate(cr, r.left + r.getWidth() / 2., r.top + r.getHeight() / 2.);
            cairo_scale(cr, r.getWidth() / 2., r.getHeight() / 2.);
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0., 0., 1., 0., 2. * kPi);
            cairo_close_path(cr);
            cairo_restore(cr);
            break;
    }
}

cairo_matrix_t toCairo(const CGraphicsTransform& t)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
    return m;
}

bool isWhole(double value)
{
    return value > 0. && std::abs(value - std::round(value)) < 1e-9;
}

}  // namespace

CDrawContext::CDrawContext(cairo_surface_t* surface, const CPoint& surfaceSize, double scaleFactor)
    : cr(cairo_create(surface)), surfaceSize(surfaceSize), scaleFactor(scaleFactor > 0. ? scaleFactor : 1.)
{
    state.font = kSystemFont;
    state.clip = CRect(CPoint(), surfaceSize);
    applyMatrix();
}

CDrawContext::~CDrawContext() noexcept
{
    cairo_destroy(cr);
}

void CDrawContext::applyMatrix() const
{
    const cairo_matrix_t m = toCairo(CGraphicsTransform().scale(scaleFactor, scaleFactor) * state.transform);
    cairo_set_matrix(cr, &m);
}

void CDrawContext::applyAntialias() const
{
    cairo_set_antialias(cr,
                        state.drawMode.mode & kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CDrawContext::setSourceColor(const CColor& color) const
{
    cairo_set_source_rgba(cr, color.normRed(), color.normGreen(), color.normBlue(),
                          color.normAlpha() * state.globalAlpha);
}

CCoord CDrawContext::getHairlineSize() const
{
    const double scale = scaleFactor * std::hypot(state.transform.m11, state.transform.m21);
    return scale > 0. ? 1. / scale : 1. / scaleFactor;
}

void CDrawContext::setFont(CFontDesc* font)
{
    state.font = font ? font : kSystemFont;
}

void CDrawContext::setClipRect(const CRect& rect)
{
    CRect global = state.transform.transform(CRect(rect).normalize());
    global.bound(saved.empty() ? CRect(CPoint(), surfaceSize) : saved.back().clip);
    state.clip = global;
    cairo_reset_clip(cr);
    cairo_identity_matrix(cr);
    cairo_scale(cr, scaleFactor, scaleFactor);
    cairo_rectangle(cr, global.left, global.top, global.getWidth(), global.getHeight());
    cairo_clip(cr);
    applyMatrix();
}

CRect CDrawContext::getClipRect() const
{
    return state.transform.inverse().transform(state.clip);
}

void CDrawContext::concatTransform(const CGraphicsTransform& transform)
{
    state.transform = state.transform * transform;
    applyMatrix();
}

void CDrawContext::saveGlobalState()
{
    saved.push_back(state);
    cairo_save(cr);
}

void CDrawContext::restoreGlobalState()
{
    if (saved.empty())
        return;
    state = saved.back();
    saved.pop_back();
    cairo_restore(cr);
}

void CDrawContext::beginTransparencyLayer(float alpha)
{
    saved.push_back(state);
    layerAlphas.push_back(alpha);
    cairo_push_group(cr);
}

void CDrawContext::endTransparencyLayer()
{
    if (layerAlphas.empty())
        return;
    cairo_pop_group_to_source(cr);
    state = saved.back();
    saved.pop_back();
    cairo_paint_with_alpha(cr, layerAlphas.back() * state.globalAlpha);
    layerAlphas.pop_back();
}

CGraphicsPath* CDrawContext::createGraphicsPath()
{
    return new CGraphicsPath;
}

void CDrawContext::strokeCurrentPath() const
{
    const CLineStyle& style = state.lineStyle;
    cairo_set_line_width(cr, state.lineWidth);
    cairo_set_line_cap(cr,
                       style.cap == CLineStyle::kLineCapRound        ? CAIRO_LINE_CAP_ROUND
                           : style.cap == CLineStyle::kLineCapSquare ? CAIRO_LINE_CAP_SQUARE
                                                                     : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr,
                        style.join == CLineStyle::kLineJoinRound       ? CAIRO_LINE_JOIN_ROUND
                            : style.join == CLineStyle::kLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                                       : CAIRO_LINE_JOIN_MITER);
    std::vector<double> dashes;
    for (CCoord length : style.dashLengths)
        dashes.push_back(length * state.lineWidth);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), style.dashPhase * state.lineWidth);
    applyAntialias();
    setSourceColor(state.frameColor);
    cairo_stroke(cr);
}

void CDrawContext::fillCurrentPath(bool evenOdd) const
{
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    applyAntialias();
    setSourceColor(state.fillColor);
    cairo_fill(cr);
}

void CDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode,
                                    const CGraphicsTransform* transformation)
{
    if (!path)
        return;
    cairo_new_path(cr);
    if (transformation) {
        cairo_save(cr);
        const cairo_matrix_t m = toCairo(*transformation);
        cairo_transform(cr, &m);
    }
    for (const CGraphicsPath::Figure& figure : path->getFigures())
        addFigure(cr, figure);
    if (transformation)
        cairo_restore(cr);  // keeps the path, brings back the matrix the stroke width is measured in
    if (mode == kPathStroked)
        strokeCurrentPath();
    else
        fillCurrentPath(mode == kPathFilledEvenOdd);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    CRect r(rect);
    r.normalize();
    if (style == kDrawFilled || style == kDrawFilledAndStroked) {
        cairo_new_path(cr);
        cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
        fillCurrentPath(false);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked) {
        r.inset(state.lineWidth / 2., state.lineWidth / 2.);
        cairo_new_path(cr);
        cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
        strokeCurrentPath();
    }
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    cairo_new_path(cr);
    cairo_move_to(cr, start.x, start.y);
    cairo_line_to(cr, end.x, end.y);
    strokeCurrentPath();
}

void CDrawContext::clearRect(const CRect& rect)
{
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
    cairo_restore(cr);
}

namespace {

// A one-line pango layout of the text in the font, measured in the context's
// current units. Invalid UTF-8 is repaired rather than refused.
struct TextLayout {
    PangoLayout* layout = nullptr;
    PangoRectangle logical{};

    TextLayout(cairo_t* cr, UTF8StringPtr text, const CFontDesc* font, bool antialias)
    {
        layout = pango_cairo_create_layout(cr);
        if (!antialias) {
            cairo_font_options_t* options = cairo_font_options_create();
            cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
            pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
            cairo_font_options_destroy(options);
            pango_layout_context_changed(layout);
        }
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family(
            description, font && !font->getName().empty() ? font->getName().c_str() : "Sans");
        // A font without a usable size is shown at the system font's.
        const double size = font && font->getSize() > 0. && std::isfinite(font->getSize())
            ? font->getSize()
            : kSystemFont->getSize();
        pango_font_description_set_absolute_size(description, std::min(size, 1000.) * PANGO_SCALE);
        if (font && (font->getStyle() & kBoldFace))
            pango_font_description_set_weight(description, PANGO_WEIGHT_BOLD);
        if (font && (font->getStyle() & kItalicFace))
            pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
        pango_layout_set_font_description(layout, description);
        pango_font_description_free(description);
        pango_layout_set_single_paragraph_mode(layout, TRUE);
        if (g_utf8_validate(text, -1, nullptr)) {
            pango_layout_set_text(layout, text, -1);
        } else {
            gchar* repaired = g_utf8_make_valid(text, -1);
            pango_layout_set_text(layout, repaired, -1);
            g_free(repaired);
        }
        pango_layout_get_extents(layout, nullptr, &logical);
    }
    ~TextLayout() { g_object_unref(layout); }
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    double width() const { return static_cast<double>(logical.width) / PANGO_SCALE; }
    double height() const { return static_cast<double>(logical.height) / PANGO_SCALE; }
};

}  // namespace

void CDrawContext::drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align, bool antialias)
{
    if (!string || !*string)
        return;
    TextLayout text(cr, string, state.font, antialias);
    double x = rect.left;
    if (align == kCenterText)
        x += (rect.getWidth() - text.width()) / 2.;
    else if (align == kRightText)
        x = rect.right - text.width();
    const double y = rect.top + (rect.getHeight() - text.height()) / 2.;
    cairo_new_path(cr);
    cairo_move_to(cr, x - static_cast<double>(text.logical.x) / PANGO_SCALE,
                  y - static_cast<double>(text.logical.y) / PANGO_SCALE);
    setSourceColor(state.fontColor);
    pango_cairo_show_layout(cr, text.layout);
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr string)
{
    if (!string || !*string)
        return 0.;
    return TextLayout(cr, string, state.font, true).width();
}

void CDrawContext::drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    cairo_surface_t* source = bitmap.getSurface();
    if (!source || dest.isEmpty())
        return;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, source, dest.left - offset.x, dest.top - offset.y);
    // Whole-number scales copy pixels as blocks: a 2x picture is the 1x one doubled.
    const double deviceScale = scaleFactor * std::hypot(state.transform.m11, state.transform.m21);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             isWhole(deviceScale) ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, (alpha > 0.f ? std::min(alpha, 1.f) : 0.f) * state.globalAlpha);
    cairo_restore(cr);
}

}  // namespace VSTGUI
